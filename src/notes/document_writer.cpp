#include "notes/document_writer.h"

namespace varnemo {

TargetDatabases CurrentTargetDatabases(WriterContext& context)
{
    const auto& state = context.state;
    return {state.TargetDatabasePath, context.view.NewNsfSelected() ? state.NamesDbPath : state.TargetDatabasePath};
}

DocumentPlan MailDatabasePlan(const TargetDatabases& target, ItemList items, const AttachmentFiles* attachments,
                              const std::string& folderName, FailureMode failureMode)
{
    DocumentPlan plan;
    plan.databasePath = target.mailDatabase;
    plan.enableFolderFirst = true;
    plan.items = std::move(items);
    plan.attachments = attachments;
    plan.folderName = folderName;
    plan.failureMode = failureMode;
    return plan;
}

DocumentPlan AddressBookPlan(const TargetDatabases& target, ItemList items, const std::string& folderName)
{
    DocumentPlan plan;
    plan.databasePath = target.addressBook;
    plan.items = std::move(items);
    plan.folderName = folderName;
    plan.failureMode = FailureMode::BestEffort;
    return plan;
}

WriteResult WriteDocument(WriterContext& context, const DocumentPlan& plan)
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
    if (!plan.origin.empty())
        steps([&] { Required(document, "document").ReplaceItemValue(kOriginItem, plan.origin); });
    if (plan.attachments)
        EmbedAttachmentFiles(document.get(), *plan.attachments, context.view, steps);

    WriteResult result;
    result.saved = steps([&] { Required(document, "document").Save(0, 0); });
    steps([&] { Required(document, "document").PutInFolder(plan.folderName); });
    result.failures = steps.skippedFailures();
    result.endedBy = steps.endedBy();
    return result;
}

const WriteResult& WriteResult::ThrowIfEnded() const
{
    if (endedBy)
        throw ComponentError(*endedBy);
    return *this;
}

}  // namespace varnemo
