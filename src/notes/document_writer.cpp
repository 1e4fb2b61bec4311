#include "notes/document_writer.h"

#include "notes/embed_attachment_list.h"

namespace varnemo {

namespace {

// Where contacts and groups go: the new address book in a new-database conversion, the target
// database otherwise. Asked afresh on every call.
std::string AddressBookPath(WriterContext& context)
{
    return context.view.NewNsfSelected() ? context.state.NamesDbPath : context.state.TargetDatabasePath;
}

}  // namespace

DocumentPlan MailDatabasePlan(WriterContext& context, ItemList items, std::string& attachmentList,
                              const std::string& folderName, FailureMode failureMode)
{
    DocumentPlan plan;
    plan.databasePath = context.state.TargetDatabasePath;
    plan.enableFolderFirst = true;
    plan.items = std::move(items);
    plan.attachmentList = &attachmentList;
    plan.folderName = folderName;
    plan.failureMode = failureMode;
    return plan;
}

DocumentPlan AddressBookPlan(WriterContext& context, ItemList items, const std::string& folderName)
{
    DocumentPlan plan;
    plan.databasePath = AddressBookPath(context);
    plan.items = std::move(items);
    plan.folderName = folderName;
    plan.failureMode = FailureMode::BestEffort;
    return plan;
}

WriteResult WriteDocument(WriterContext& context, DocumentPlan& plan)
{
    WriterSteps steps(plan.failureMode);
    // Declared in this order so that they are released document first, session last.
    std::unique_ptr<notes::Session> session;
    std::unique_ptr<notes::Database> database;
    std::unique_ptr<notes::Document> document;

    steps([&] { session = context.notes.CreateSession(); });
    steps([&] { database = Required(session, "Notes session").GetDatabase("", plan.databasePath); });
    if (plan.enableFolderFirst)
        steps([&] { Required(database, "database").EnableFolder(plan.folderName); });
    steps([&] { document = Required(database, "database").CreateDocument(); });
    // Not a structured binding: clang before 16 cannot capture one in a lambda.
    for (const auto& item : plan.items)
        steps([&] { Required(document, "document").ReplaceItemValue(item.first, item.second); });
    if (plan.attachmentList)
        EmbedAttachmentList(document.get(), *plan.attachmentList, context.view, steps);

    WriteResult result;
    result.saved = steps([&] { Required(document, "document").Save(0, 0); });
    steps([&] { Required(document, "document").PutInFolder(plan.folderName); });
    result.failures = steps.skippedFailures();
    return result;
}

}  // namespace varnemo
