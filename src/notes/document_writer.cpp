#include "notes/document_writer.h"

#include "notes/embed_attachment_list.h"

namespace varnemo {

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
