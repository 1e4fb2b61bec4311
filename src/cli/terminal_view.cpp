#include "cli/terminal_view.h"

#include <fmt/format.h>
#include <unistd.h>

namespace varnemo::cli {
namespace {

// Normalises the window's CR LF line breaks for a terminal.
std::string TerminalText(std::string text)
{
    for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    return text;
}

std::string Bar(const std::string& current)
{
    constexpr int width = 24;
    long done = 0, count = 0;
    if (std::sscanf(current.c_str(), "%ld/%ld", &done, &count) != 2 || count <= 0)
        return std::string(width, ' ');
    const auto filled = static_cast<int>(width * done / count);
    return std::string(static_cast<size_t>(filled), '#') + std::string(static_cast<size_t>(width - filled), '.');
}

}  // namespace

TerminalView::TerminalView(bool newDatabase, std::string existingDatabase)
    : newDatabase_(newDatabase), existingDatabase_(std::move(existingDatabase)), live_(isatty(STDERR_FILENO) != 0)
{
}

void TerminalView::SetCaption(TargetLabel label, const std::string& text)
{
    switch (label) {
    case TargetLabel::LblSaveHeader:
        stage_ = text;
        if (!live_)
            fmt::print(stderr, "{}\n", text);
        return;
    case TargetLabel::LblProcessing:
        item_ = text;
        return;
    case TargetLabel::LblFound:
        return;
    case TargetLabel::LblCurrent:
        current_ = text;
        if (!text.empty())
            ShowProgress();
        return;
    }
}

void TerminalView::ShowProgress()
{
    if (!live_) {
        fmt::print(stderr, "  {} {}\n", current_, item_);
        return;
    }
    std::string line = fmt::format("[{}] {:>13} {}: {}", Bar(current_), current_, stage_, item_);
    if (line.size() > 100)
        line.resize(100);
    fmt::print(stderr, "\r\033[K{}", line);
    liveLineOpen_ = true;
}

void TerminalView::EndLiveLine()
{
    if (liveLineOpen_)
        fmt::print(stderr, "\n");
    liveLineOpen_ = false;
}

void TerminalView::ShowMessage(const std::string& text, const std::string& title)
{
    EndLiveLine();
    if (title == "Export Complete")
        fmt::print("{}\n", TerminalText(text));
    else
        fmt::print(stderr, "{}: {}\n", title, TerminalText(text));
    std::fflush(stdout);
}

}  // namespace varnemo::cli
