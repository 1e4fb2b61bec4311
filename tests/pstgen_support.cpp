#include "pstgen_support.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sys/wait.h>

namespace varnemo::testing {

namespace fs = std::filesystem;

namespace {

constexpr const char* kLevelSeparator = " > ";

class Digest {
public:
    Digest() : checksum_(g_checksum_new(G_CHECKSUM_SHA256)) {}
    ~Digest() { g_checksum_free(checksum_); }
    Digest(const Digest&) = delete;
    Digest& operator=(const Digest&) = delete;
    void Add(const void* data, std::size_t size)
    {
        g_checksum_update(checksum_, static_cast<const guchar*>(data), static_cast<gssize>(size));
    }
    std::string Hex() const { return g_checksum_get_string(checksum_); }

private:
    GChecksum* checksum_;
};

std::string Join(const std::string& parent, const std::string& name)
{
    return parent.empty() ? name : parent + kLevelSeparator + name;
}

void Sort(SeenMailbox& mailbox)
{
    for (auto& [path, folder] : mailbox) {
        std::sort(folder.subjects.begin(), folder.subjects.end());
        std::sort(folder.attachmentDigests.begin(), folder.attachmentDigests.end());
    }
}

void ExpectFolder(const pstgen::Folder& folder, const std::string& parent, const ReaderView& view, SeenMailbox& out)
{
    if (!view.showsFolder(folder))
        return;
    const auto path = Join(parent, view.folderName(folder.name));
    auto& seen = out[path];
    seen.itemCount += folder.items.size();
    for (const auto& item : folder.items) {
        if (view.showsSubject(item))
            seen.subjects.push_back(item.subject);
        for (const auto& attachment : item.attachments)
            if (attachment.content && view.showsAttachment(attachment))
                seen.attachmentDigests.push_back(Sha256(*attachment.content));
    }
    for (const auto& child : folder.folders)
        ExpectFolder(child, path, view, out);
}

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The value of the first line "Key: value" (the value may be preceded by tabs).
std::string FieldOf(const std::string& text, const std::string& key)
{
    const std::regex line("(^|\\n)" + key + ":[ \\t]*([^\\r\\n]*)");
    std::smatch match;
    return std::regex_search(text, match, line) ? match[2].str() : std::string();
}

std::string DecodeBase64(const std::string& text)
{
    static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    unsigned buffer = 0;
    int bits = 0;
    for (const char c : text) {
        const auto value = alphabet.find(c);
        if (value == std::string::npos)
            continue;
        buffer = buffer << 6 | static_cast<unsigned>(value);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((buffer >> bits) & 0xFF);
        }
    }
    return out;
}

// readpst writes non-ASCII subjects as "=?utf-8?B?...?=".
std::string DecodeHeader(const std::string& value)
{
    const std::regex encoded("=\\?utf-8\\?B\\?([^?]*)\\?=", std::regex::icase);
    std::smatch match;
    return std::regex_match(value, match, encoded) ? DecodeBase64(match[1].str()) : value;
}

bool IsPffexportItem(const std::string& name)
{
    static const std::regex item("(Message|Appointment|Task|Contact|DistributionList|Note|Activity)[0-9]{5}");
    return std::regex_match(name, item);
}

void CollectPffexportFolder(const fs::path& dir, const std::string& path, SeenMailbox& out)
{
    auto& seen = out[path];
    for (const auto& entry : fs::directory_iterator(dir)) {
        const auto name = entry.path().filename().string();
        if (!IsPffexportItem(name)) {
            CollectPffexportFolder(entry.path(), Join(path, name), out);
            continue;
        }
        ++seen.itemCount;
        for (const auto& file : fs::directory_iterator(entry.path()))
            if (file.path().extension() == ".txt" && file.path().filename() != "Message.txt")
                if (const auto subject = FieldOf(ReadText(file.path()), "Subject"); !subject.empty()) {
                    seen.subjects.push_back(subject);
                    break;
                }
        if (fs::exists(entry.path() / "Attachments"))
            for (const auto& file : fs::directory_iterator(entry.path() / "Attachments"))
                if (file.is_regular_file())
                    seen.attachmentDigests.push_back(Sha256OfFile(file.path()));
    }
}

void CollectReadpstFolder(const fs::path& dir, const std::string& path, SeenMailbox& out)
{
    static const std::regex item("[0-9]+");
    static const std::regex attachment("[0-9]+-.*");
    auto& seen = out[path];
    for (const auto& entry : fs::directory_iterator(dir)) {
        const auto name = entry.path().filename().string();
        if (entry.is_directory()) {
            CollectReadpstFolder(entry.path(), Join(path, name), out);
        } else if (std::regex_match(name, item)) {
            const auto text = ReadText(entry.path());
            auto subject = FieldOf(text, "Subject");
            seen.subjects.push_back(DecodeHeader(subject.empty() ? FieldOf(text, "SUMMARY") : subject));
        } else if (std::regex_match(name, attachment)) {
            seen.attachmentDigests.push_back(Sha256OfFile(entry.path()));
        }
    }
}

// readpst names each folder with its item count ("Inbox" - 2 items done, 1 items skipped); the
// counts are matched to the folders by name, in the order readpst lists them.
void ReadpstCounts(const std::string& log, SeenMailbox& seen)
{
    const std::regex line("\"([^\"\\n]*)\" - ([0-9]+) items done, ([0-9]+) items skipped");
    std::multimap<std::string, std::size_t> counts;
    for (std::sregex_iterator it(log.begin(), log.end(), line), end; it != end; ++it)
        counts.emplace((*it)[1].str(), std::stoul((*it)[2].str()) + std::stoul((*it)[3].str()));
    for (auto& [path, folder] : seen) {
        const auto name = path.substr(path.rfind(kLevelSeparator) == std::string::npos
                                          ? 0
                                          : path.rfind(kLevelSeparator) + std::string(kLevelSeparator).size());
        const auto found = counts.find(name);
        if (found != counts.end()) {
            folder.itemCount = found->second;
            counts.erase(found);
        }
    }
}

std::string ReplaceSlashes(const std::string& name, bool backslashToo)
{
    std::string out = name;
    for (auto& c : out)
        if (c == '/' || (backslashToo && c == '\\'))
            c = '_';
    return out;
}

}  // namespace

CommandResult RunCommand(const std::string& commandLine, const fs::path& scratch)
{
    const auto errFile = scratch / "command-stderr";
    CommandResult result;
    FILE* pipe = popen((commandLine + " 2>" + Quote(errFile.string())).c_str(), "r");
    std::array<char, 65536> buffer{};
    for (std::size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        result.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadText(errFile);
    return result;
}

std::string Quote(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string Sha256(const pstgen::ByteSource& source)
{
    Digest digest;
    source.Read([&](pstgen::ByteView piece) { digest.Add(piece.data(), piece.size()); });
    return digest.Hex();
}

std::string Sha256OfFile(const fs::path& path)
{
    Digest digest;
    std::ifstream in(path, std::ios::binary);
    std::vector<char> buffer(1 << 20);
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        digest.Add(buffer.data(), static_cast<std::size_t>(in.gcount()));
    }
    return digest.Hex();
}

// pffexport shows every folder and item, "/" and "\" in names as "_", and the by-value
// attachments of items (embedded items become folders of their own).
ReaderView PffexportView()
{
    return {[](const std::string& name) { return ReplaceSlashes(name, true); },
            [](const pstgen::Folder&) { return true; }, [](const pstgen::Item&) { return true; },
            [](const pstgen::Attachment&) { return true; }};
}

// readpst writes a folder only when it holds items, writes files for mail, appointments and
// contacts (the last without a subject), and cannot save an attachment whose name has a "/".
ReaderView ReadpstView()
{
    return {[](const std::string& name) { return ReplaceSlashes(name, false); },
            [](const pstgen::Folder& folder) { return !folder.items.empty(); },
            [](const pstgen::Item& item) {
                return item.kind == pstgen::ItemKind::Mail || item.kind == pstgen::ItemKind::Appointment;
            },
            [](const pstgen::Attachment& attachment) { return attachment.fileName.find('/') == std::string::npos; }};
}

SeenMailbox Expected(const pstgen::Mailbox& mailbox, const ReaderView& view)
{
    SeenMailbox expected;
    for (const auto& folder : mailbox.folders)
        ExpectFolder(folder, "", view, expected);
    const bool hasDeletedItems = std::any_of(mailbox.folders.begin(), mailbox.folders.end(),
                                             [](const auto& f) { return f.name == "Deleted Items"; });
    const pstgen::Folder deletedItems{"Deleted Items", "", {}, {}};
    if (!hasDeletedItems)
        ExpectFolder(deletedItems, "", view, expected);
    Sort(expected);
    return expected;
}

SeenMailbox SeenByPffexport(const fs::path& pst, const fs::path& outDir)
{
    const auto target = outDir / "pffexport";
    const auto result = RunCommand("pffexport -q -t " + Quote(target.string()) + " " + Quote(pst.string()), outDir);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    SeenMailbox seen;
    const auto top = fs::path(target.string() + ".export") / "Top of Personal Folders";
    if (!fs::is_directory(top)) {
        ADD_FAILURE() << "pffexport wrote no \"Top of Personal Folders\" for " << pst;
        return seen;
    }
    for (const auto& entry : fs::directory_iterator(top))
        CollectPffexportFolder(entry.path(), entry.path().filename().string(), seen);
    Sort(seen);
    return seen;
}

SeenMailbox SeenByReadpst(const fs::path& pst, const fs::path& outDir)
{
    const auto target = outDir / "readpst";
    fs::create_directories(target);
    const auto result = RunCommand("readpst -S -D -o " + Quote(target.string()) + " " + Quote(pst.string()), outDir);
    EXPECT_EQ(result.status, 0) << result.err;
    SeenMailbox seen;
    for (const auto& store : fs::directory_iterator(target))
        for (const auto& entry : fs::directory_iterator(store.path()))
            CollectReadpstFolder(entry.path(), entry.path().filename().string(), seen);
    ReadpstCounts(result.out, seen);
    Sort(seen);
    return seen;
}

}  // namespace varnemo::testing
