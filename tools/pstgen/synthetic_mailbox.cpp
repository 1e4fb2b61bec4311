#include "synthetic_mailbox.h"

#include "byte_sources.h"
#include "contact_fields.h"
#include "file_time.h"

#include <fmt/format.h>

#include <algorithm>

namespace pstgen {

namespace {

constexpr std::int64_t kFirstDay = 1704067200;  // 2024-01-01
constexpr std::uint64_t kMegabyte = 1 << 20;
constexpr std::uint64_t kAttachmentPieceSize = 2 * kMegabyte;

const char* const kNames[] = {"Ada Byron", "Björn Ek", "Chloé Martin", "Dmitri Ivanov", "Eve Moss", "Fumiko Sato",
                              "Gita Rao", "Hugo Weiß"};
const char* const kWords[] = {"budget", "review", "plan", "offsite", "release", "invoice", "draft", "minutes",
                              "roadmap", "hiring"};

// The seeded generator: splitmix64, so that every platform gives the same mailbox.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::uint64_t Below(std::uint64_t bound) { return Next() % bound; }
    template <typename T, std::size_t N>
    const T& Pick(const T (&choices)[N])
    {
        return choices[Below(N)];
    }

private:
    std::uint64_t state_;
};

Address Person(Random& random)
{
    const std::string name = random.Pick(kNames);
    std::string address;
    for (const char c : name)
        if (std::isalpha(static_cast<unsigned char>(c)))
            address += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return {name, address + "@example.com"};
}

FileTime Moment(Random& random)
{
    return FileTimeFromUnix(kFirstDay + static_cast<std::int64_t>(random.Below(365 * 86400)));
}

Item BaseItem(ItemKind kind, Random& random, std::uint64_t number)
{
    Item item;
    item.kind = kind;
    item.subject = fmt::format("{} {} #{}", random.Pick(kWords), random.Pick(kWords), number);
    item.body = fmt::format("Item {} about the {}.\nSee you soon.", number, random.Pick(kWords));
    item.sender = Person(random);
    item.created = Moment(random);
    item.importance = static_cast<std::uint32_t>(random.Below(3));
    if (random.Below(3) == 0)
        item.categories = {random.Pick(kWords), "Synthetic"};
    return item;
}

Item Mail(Random& random, std::uint64_t number)
{
    auto item = BaseItem(ItemKind::Mail, random, number);
    item.delivered = item.submitted = item.created;
    item.recipients.push_back({Person(random), RecipientType::To});
    if (random.Below(2) == 0)
        item.recipients.push_back({Person(random), RecipientType::Cc});
    if (random.Below(5) == 0)
        item.recipients.push_back({Person(random), RecipientType::Bcc});
    if (random.Below(10) == 0)
        item.reminder = *item.created + 864'000'000'000ull;
    return item;
}

Item Appointment(Random& random, std::uint64_t number)
{
    auto item = BaseItem(ItemKind::Appointment, random, number);
    item.start = item.created;
    item.end = *item.start + 36'000'000'000ull * (1 + random.Below(3));
    item.location = fmt::format("Room {}", random.Below(40));
    return item;
}

Item Task(Random& random, std::uint64_t number)
{
    auto item = BaseItem(ItemKind::Task, random, number);
    item.start = FileTimeFromUnix(kFirstDay + static_cast<std::int64_t>(random.Below(365)) * 86400);
    item.due = *item.start + 7 * 864'000'000'000ull;
    return item;
}

Item Contact(Random& random, std::uint64_t number)
{
    auto item = BaseItem(ItemKind::Contact, random, number);
    const auto person = Person(random);
    item.subject = fmt::format("{} {}", person.name, number);
    for (const auto& field : ContactFields())
        item.contact[std::string(field.key)] = fmt::format("{} {}", field.key, number);
    item.contact["email1"] = person.address;
    item.children = {"Kim", "Lee"};
    item.birthday = FileTimeFromUnix(315532800 + static_cast<std::int64_t>(random.Below(9000)) * 86400);
    item.anniversary = FileTimeFromUnix(946684800 + static_cast<std::int64_t>(random.Below(7000)) * 86400);
    return item;
}

Item DistributionList(Random& random, std::uint64_t number)
{
    auto item = BaseItem(ItemKind::DistributionList, random, number);
    item.listName = fmt::format("Team {}", number);
    item.subject = item.listName;
    for (std::uint64_t i = 0, count = 2 + random.Below(4); i < count; ++i)
        item.members.push_back(Person(random));
    return item;
}

struct Layout {
    Mailbox mailbox;
    std::vector<Folder*> mailFolders;
    Folder *calendar, *contacts, *tasks, *notes, *journal;
};

Folder MakeFolder(std::string name, std::string containerClass)
{
    return {std::move(name), std::move(containerClass), {}, {}};
}

void BuildFolders(Layout& layout)
{
    auto& folders = layout.mailbox.folders;
    folders.push_back(MakeFolder("Inbox", "IPF.Note"));
    folders.back().folders.push_back(MakeFolder("Projects", "IPF.Note"));
    folders.back().folders.back().folders.push_back(MakeFolder("Release #2", "IPF.Note"));
    folders.back().folders.push_back(MakeFolder("Archive", "IPF.Note"));
    folders.push_back(MakeFolder("Sent Items", "IPF.Note"));
    folders.push_back(MakeFolder("Archive", ""));  // the same name as the one below Inbox
    folders.push_back(MakeFolder("Calendar", "IPF.Appointment"));
    folders.push_back(MakeFolder("Contacts", "IPF.Contact"));
    folders.push_back(MakeFolder("Tasks", "IPF.Task"));
    folders.push_back(MakeFolder("Notes", "IPF.StickyNote"));
    folders.push_back(MakeFolder("Journal", "IPF.Journal"));
    auto& inbox = folders[0];
    layout.mailFolders = {&inbox, &inbox.folders[0], &inbox.folders[0].folders[0], &inbox.folders[1], &folders[1],
                          &folders[2]};
    layout.calendar = &folders[3];
    layout.contacts = &folders[4];
    layout.tasks = &folders[5];
    layout.notes = &folders[6];
    layout.journal = &folders[7];
}

// Out of every 20 items: 11 mail, 3 appointments, 2 contacts, 1 distribution list, 1 task,
// 1 note, 1 journal entry.
void AddItem(Layout& layout, Random& random, std::uint64_t number)
{
    const auto slot = number % 20;
    if (slot < 11)
        layout.mailFolders[random.Below(layout.mailFolders.size())]->items.push_back(Mail(random, number));
    else if (slot < 14)
        layout.calendar->items.push_back(Appointment(random, number));
    else if (slot < 16)
        layout.contacts->items.push_back(Contact(random, number));
    else if (slot < 17)
        layout.contacts->items.push_back(DistributionList(random, number));
    else if (slot < 18)
        layout.tasks->items.push_back(Task(random, number));
    else if (slot < 19)
        layout.notes->items.push_back(BaseItem(ItemKind::StickyNote, random, number));
    else
        layout.journal->items.push_back(BaseItem(ItemKind::Journal, random, number));
}

// Spreads the attachment bytes over the mail in pieces of up to 2 MB, one piece per mail in turn.
void AddAttachments(Layout& layout, const SynthOptions& options)
{
    std::vector<Item*> mail;
    for (auto* folder : layout.mailFolders)
        for (auto& item : folder->items)
            mail.push_back(&item);
    if (mail.empty())
        return;
    auto remaining = options.attachmentMegabytes * kMegabyte;
    for (std::uint64_t piece = 0; remaining > 0; ++piece) {
        const auto size = std::min(remaining, kAttachmentPieceSize);
        auto& item = *mail[piece % mail.size()];
        item.attachments.push_back(
            {fmt::format("attachment-{}.bin", piece), std::make_shared<PatternBytes>(size, options.seed ^ piece), nullptr});
        remaining -= size;
    }
}

}  // namespace

Mailbox SynthesizeMailbox(const SynthOptions& options)
{
    Layout layout;
    layout.mailbox.displayName = fmt::format("Synthetic mailbox {}", options.seed);
    layout.mailbox.encoding = options.encoding;
    BuildFolders(layout);
    Random random(options.seed);
    for (std::uint64_t number = 0; number < options.items; ++number)
        AddItem(layout, random, number);
    AddAttachments(layout, options);
    return std::move(layout.mailbox);
}

}  // namespace pstgen
