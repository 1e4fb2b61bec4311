#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace varnemo {

// How something of the mailbox that the run met ended, short of arriving whole.
enum class Outcome {
    // The document was saved without some of its parts: an attachment, a member, a value.
    ConvertedInPart,
    // No document was saved: the step that failed and why.
    NotConverted,
    // Items of a kind that the conversion does not take (journal entries, notes, the top
    // folder's own items, folders of other classes).
    SkippedByDesign,
    // A whole folder whose items could not be read.
    FolderNotRead,
};

// The outcome's name as the report and the terminal show it: "converted in part", ...
const char* OutcomeName(Outcome outcome);

// One item or folder that did not arrive whole, named so that a user can find it in Outlook.
struct ConversionProblem {
    Outcome outcome = Outcome::NotConverted;
    // The folder's path in the mailbox.
    std::string folder;
    // The item's place in its folder, from 1; 0 for a whole folder.
    long position = 0;
    // The item's subject or name, "(no subject)" when it has none; empty for a whole folder.
    std::string item;
    // The item's entry identifier, when it could be read.
    std::string id;
    // The items it stands for: 1 for an item, a folder's items, -1 when they could not be counted.
    long items = 1;
    // What is missing, or why.
    std::string reason;
};

// The account of one conversion. Items that arrive whole are only counted, so that the account
// of a mailbox of any size stays small; everything else is listed.
class ConversionSummary {
public:
    void RecordConverted() { ++converted_; }
    // An item that an earlier run already brought into the database.
    void RecordAlreadyThere() { ++alreadyThere_; }
    void Record(ConversionProblem problem);
    // A data file that the fallback reader read, and why; read past damage, it is no whole success.
    void RecordFallbackRead(std::string dataFile, std::string reason, bool pastDamage = false);
    // A data file whose damaged structure its reader read around, and what it does without.
    void RecordDamageReadAround(std::string dataFile, std::string what);
    // The user stopped the run after its current item: what it had not reached is not listed.
    void RecordStoppedByUser() { stoppedByUser_ = true; }

    // Items that arrived whole.
    long converted() const { return converted_; }
    long convertedInPart() const { return convertedInPart_; }
    long notConverted() const { return notConverted_; }
    long skippedByDesign() const { return skippedByDesign_; }
    long foldersNotRead() const { return foldersNotRead_; }
    long alreadyThere() const { return alreadyThere_; }
    bool stoppedByUser() const { return stoppedByUser_; }
    // Whether everything that was selected arrived whole (items skipped by design aside).
    bool AllWhole() const
    {
        return convertedInPart_ == 0 && notConverted_ == 0 && foldersNotRead_ == 0 && !stoppedByUser_ &&
               std::ranges::none_of(fallbackReads_, &FallbackRead::pastDamage) && damageReadAround_.empty();
    }
    const std::vector<ConversionProblem>& problems() const { return problems_; }
    struct FallbackRead {
        std::string dataFile;
        std::string reason;
        bool pastDamage = false;
    };
    const std::vector<FallbackRead>& fallbackReads() const { return fallbackReads_; }
    struct DamageReadAround {
        std::string dataFile;
        std::string what;
    };
    const std::vector<DamageReadAround>& damageReadAround() const { return damageReadAround_; }

private:
    long converted_ = 0;
    long convertedInPart_ = 0;
    long notConverted_ = 0;
    long skippedByDesign_ = 0;
    long foldersNotRead_ = 0;
    long alreadyThere_ = 0;
    bool stoppedByUser_ = false;
    std::vector<ConversionProblem> problems_;
    std::vector<FallbackRead> fallbackReads_;
    std::vector<DamageReadAround> damageReadAround_;
};

// The caption that names an item: its subject or name, or "(no subject)" when that is blank.
std::string ItemCaption(const std::string& subjectOrName);

// The completion message: a headline that says whether everything arrived whole or the user
// stopped the run, the databases that the run wrote (an empty path is left out), then the counts
// of every outcome.
std::string CompletionText(const ConversionSummary& summary, const std::string& targetDatabasePath,
                           const std::string& namesDbPath);

}  // namespace varnemo
