#include "notes/create_nsf.h"

#include "common/text.h"
#include "shell/shell.h"

namespace varnemo {
namespace {

void CreateDatabases(WriterContext& context)
{
    auto session = context.notes.CreateSession();
    {
        const auto templatePath = TrimBlanks(session->GETENVIRONMENTSTRING("DefaultMailTemplate", true));
        auto mailTemplate = session->GetDatabase("", templatePath);
        auto mailDatabase = mailTemplate->CreateCopy("", context.state.TargetDatabasePath);
    }
    context.view.Yield();

    context.view.SetCaption(TargetLabel::LblSaveHeader, "Creating Design Elements...");
    context.view.SetCaption(TargetLabel::LblSaveHeader, "Creating Address Book...");
    const auto names = session->GETENVIRONMENTSTRING("NAMES", true);
    // Only the first entry of the list counts, and it is taken as it stands (not trimmed).
    const auto sourcePath = names.empty() ? std::string("pernames.ntf") : SplitKeepingEmpty(names, ',').front();
    auto source = session->GetDatabase("", sourcePath);
    context.state.NamesDbPath =
        NextFreeFileName(context.state.NamesDbPath + "names" + context.now().ToStampText() + ".nsf");
    auto addressBook = source->CreateCopy("", context.state.NamesDbPath);
    context.view.Yield();
}

}  // namespace

void CreateNSF(WriterContext& context)
{
    context.view.SetCaption(TargetLabel::LblSaveHeader, "Creating Lotus Notes Mailbox...");
    context.view.SetCaption(TargetLabel::LblProcessing, "Please Wait...");
    try {
        CreateDatabases(context);
    } catch (const ComponentError& error) {
        // The cause follows the fixed text, so that a user can act on it.
        context.view.ShowMessage(std::string("Lotus Notes NOT INSTALLED or CONFIGURED Properly.") + "\r\n" +
                                     error.what(),
                                 "Notes Not Installed/Configured");
        context.view.EndProgram();
        throw ProgramEnding();
    }
}

}  // namespace varnemo
