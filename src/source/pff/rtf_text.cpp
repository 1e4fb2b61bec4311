#include "source/pff/rtf_text.h"

#include "source/pff/code_page.h"
#include "source/pff/html_text.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <vector>

namespace varnemo::mapi::pff {
namespace {

// Destinations whose text is not part of the body.
bool IsHiddenDestination(std::string_view word)
{
    static constexpr std::array Hidden = {
        "fonttbl", "colortbl", "stylesheet", "info", "pict", "header", "footer", "headerl", "headerr",
        "footerl", "footerr", "listtable", "listoverridetable", "rsidtbl", "generator", "xmlnstbl",
        "themedata", "datastore", "latentstyles", "objdata", "fldinst", "filetbl", "revtbl", "mmathPr"};
    for (std::string_view hidden : Hidden) {
        if (word == hidden)
            return true;
    }
    return false;
}

std::optional<std::string_view> SymbolOf(std::string_view word)
{
    if (word == "par" || word == "line" || word == "row")
        return "\n";
    if (word == "tab" || word == "cell")
        return "\t";
    if (word == "emdash")
        return "\u2014";
    if (word == "endash")
        return "\u2013";
    if (word == "lquote")
        return "\u2018";
    if (word == "rquote")
        return "\u2019";
    if (word == "ldblquote")
        return "\u201C";
    if (word == "rdblquote")
        return "\u201D";
    if (word == "bullet")
        return "\u2022";
    return std::nullopt;
}

void AppendCodePoint(std::string& out, std::uint32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

class RtfReader {
public:
    RtfReader(std::string_view rtf, std::string charset) : rtf_(rtf), charset_(std::move(charset)) {}

    std::string Read()
    {
        while (at_ < rtf_.size()) {
            const char c = rtf_[at_++];
            if (c == '{') {
                groups_.push_back(groups_.empty() ? Group{} : groups_.back());
                groups_.back().fresh = true;
            } else if (c == '}') {
                if (!groups_.empty())
                    groups_.pop_back();
            } else if (c == '\\') {
                ReadControl();
                continue;
            } else if (c != '\r' && c != '\n') {
                AddByte(c);
            }
            if (!groups_.empty() && c != '{')
                groups_.back().fresh = false;
        }
        Flush();
        return fromHtml_ ? PlainTextOfHtml(text_, "UTF-8") : text_;
    }

private:
    struct Group {
        bool hidden = false;
        bool htmlTag = false;   // inside \*\htmltag: HTML that the RTF carries
        bool htmlRtf = false;   // inside \htmlrtf ... \htmlrtf0: RTF-only rendering of the HTML
        bool fresh = true;      // nothing read yet since the group opened
        int unicodeSkip = 1;    // \ucN: fallback characters that follow each \uN
    };

    bool Emitting() const
    {
        if (groups_.empty())
            return true;
        const Group& group = groups_.back();
        if (fromHtml_)
            return group.htmlTag || (!group.hidden && !group.htmlRtf);
        return !group.hidden;
    }

    void ReadControl()
    {
        if (at_ >= rtf_.size())
            return;
        const char c = rtf_[at_];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++at_;
            ReadSymbol(c);
        } else {
            ReadWord();
        }
        if (!groups_.empty())
            groups_.back().fresh = false;
    }

    void ReadSymbol(char c)
    {
        if (c == '\'') {
            if (at_ + 2 > rtf_.size()) {
                at_ = rtf_.size();  // an escape cut off by the end of the text
                return;
            }
            const std::string hex(rtf_.substr(at_, 2));
            at_ += 2;
            AddByte(static_cast<char>(std::strtol(hex.c_str(), nullptr, 16)));
        } else if (c == '*') {
            // "{\*\word": an optional destination, hidden unless it is HTML that Outlook wrapped.
            if (!groups_.empty() && !rtf_.substr(at_).starts_with("\\htmltag"))
                groups_.back().hidden = true;
        } else if (c == '~') {
            AddText(" ");
        } else if (c == '_') {
            AddText("-");
        } else if (c == '\\' || c == '{' || c == '}') {
            AddByte(c);
        } else if (c == '\r' || c == '\n') {
            AddText("\n");
        }
    }

    void ReadWord()
    {
        const size_t start = at_;
        while (at_ < rtf_.size() && std::isalpha(static_cast<unsigned char>(rtf_[at_])))
            ++at_;
        const std::string_view word = rtf_.substr(start, at_ - start);
        std::optional<long> parameter;
        const size_t digits = at_;
        if (at_ < rtf_.size() && (rtf_[at_] == '-' || std::isdigit(static_cast<unsigned char>(rtf_[at_])))) {
            ++at_;
            while (at_ < rtf_.size() && std::isdigit(static_cast<unsigned char>(rtf_[at_])))
                ++at_;
            parameter = std::strtol(std::string(rtf_.substr(digits, at_ - digits)).c_str(), nullptr, 10);
        }
        if (at_ < rtf_.size() && rtf_[at_] == ' ')
            ++at_;
        Apply(word, parameter);
    }

    void Apply(std::string_view word, std::optional<long> parameter)
    {
        Group* group = groups_.empty() ? nullptr : &groups_.back();
        if (word == "fromhtml") {
            fromHtml_ = parameter.value_or(1) != 0;
        } else if (word == "ansicpg" && parameter) {
            Flush();
            charset_ = CharsetOfCodePage(static_cast<std::uint32_t>(*parameter));
        } else if (word == "bin" && parameter) {
            at_ = std::min(rtf_.size(), at_ + static_cast<size_t>(std::max(0L, *parameter)));
        } else if (!group) {
            return;
        } else if (word == "htmltag") {
            group->htmlTag = true;
            group->hidden = false;
        } else if (word == "htmlrtf") {
            group->htmlRtf = parameter.value_or(1) != 0;
        } else if (word == "uc" && parameter) {
            group->unicodeSkip = static_cast<int>(*parameter);
        } else if (word == "u" && parameter) {
            AddUnicode(*parameter);
        } else if (group->fresh && IsHiddenDestination(word)) {
            group->hidden = true;
        } else if (const auto symbol = SymbolOf(word)) {
            // In wrapped HTML, \par outside the tags only mirrors line breaks of the HTML source.
            AddText(*symbol);
        }
    }

    void AddUnicode(long value)
    {
        if (Emitting()) {
            Flush();
            AppendCodePoint(text_, static_cast<std::uint32_t>(value < 0 ? value + 65536 : value));
        }
        SkipFallback(groups_.back().unicodeSkip);
    }

    // Skips the characters that stand in for a \uN character in readers without Unicode.
    void SkipFallback(int count)
    {
        for (int skipped = 0; skipped < count && at_ < rtf_.size(); ++skipped) {
            if (rtf_[at_] == '\\' && at_ + 1 < rtf_.size() && rtf_[at_ + 1] == '\'')
                at_ += 4;
            else if (rtf_[at_] == '{' || rtf_[at_] == '}' || rtf_[at_] == '\\')
                break;
            else
                ++at_;
        }
    }

    void AddByte(char c)
    {
        if (Emitting())
            pending_ += c;
    }

    void AddText(std::string_view text)
    {
        if (!Emitting())
            return;
        Flush();
        text_ += text;
    }

    // Decodes the 8-bit text read so far in the current code page.
    void Flush()
    {
        text_ += ToUtf8(pending_, charset_);
        pending_.clear();
    }

    std::string_view rtf_;
    std::string charset_;
    size_t at_ = 0;
    std::vector<Group> groups_;
    bool fromHtml_ = false;
    std::string pending_;
    std::string text_;
};

}  // namespace

std::string PlainTextOfRtf(std::string_view rtf, const std::string& charset)
{
    std::string text = RtfReader(rtf, charset).Read();
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '\0'))
        text.pop_back();
    return text;
}

}  // namespace varnemo::mapi::pff
