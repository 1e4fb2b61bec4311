#pragma once

#include "common/date_time.h"
#include "notes/local/document_draft.h"

#include <string>
#include <vector>

namespace varnemo::notes::local {

class SqliteConnection;

// The rows of one document, written inside the caller's transaction: by the document writer
// for a document made here, and by the importer for one that keeps the identity it was given.

// Inserts the document's row and returns its id. Fails when the store already holds a document
// with this UNID.
long long InsertDocumentRow(SqliteConnection& connection, const std::string& unid, const DateTime& created,
                            const DateTime& modified);

// Writes the items in their order.
void InsertItemRows(SqliteConnection& connection, long long documentId, const std::vector<DraftItem>& items);

}  // namespace varnemo::notes::local
