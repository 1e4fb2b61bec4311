#include "notes/local/sqlite_statement.h"

#include "notes/local/sqlite_connection.h"

#include <sqlite3.h>

namespace varnemo::notes::local {

SqliteStatement::SqliteStatement(SqliteConnection& connection, const std::string& sql)
    : connection_(connection), sql_(sql), statement_(connection.TakePrepared(sql))
{
    if (!statement_ && sqlite3_prepare_v2(connection_.handle(), sql.c_str(), static_cast<int>(sql.size() + 1), &statement_,
                           nullptr) != SQLITE_OK)
        connection_.Fail("preparing " + sql_);
}

SqliteStatement::~SqliteStatement()
{
    // Reset so that the statement holds no read snapshot or lock while it waits to be reused.
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    connection_.GiveBackPrepared(sql_, statement_);
}

SqliteStatement& SqliteStatement::Bind(int index, std::string_view text)
{
    if (sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8) != SQLITE_OK)
        connection_.Fail("binding a value of " + sql_);
    return *this;
}

SqliteStatement& SqliteStatement::BindKept(int index, std::string_view text)
{
    if (sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_STATIC, SQLITE_UTF8) != SQLITE_OK)
        connection_.Fail("binding a value of " + sql_);
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, long long number)
{
    if (sqlite3_bind_int64(statement_, index, number) != SQLITE_OK)
        connection_.Fail("binding a value of " + sql_);
    return *this;
}

SqliteStatement& SqliteStatement::BindNull(int index)
{
    if (sqlite3_bind_null(statement_, index) != SQLITE_OK)
        connection_.Fail("binding a value of " + sql_);
    return *this;
}

SqliteStatement& SqliteStatement::BindZeroBlob(int index, long long size)
{
    if (sqlite3_bind_zeroblob64(statement_, index, static_cast<sqlite3_uint64>(size)) != SQLITE_OK)
        connection_.Fail("reserving space for " + std::to_string(size) + " bytes");
    return *this;
}

bool SqliteStatement::Step()
{
    switch (sqlite3_step(statement_)) {
    case SQLITE_ROW: return true;
    case SQLITE_DONE: return false;
    default:
        // The statement's own message is clearer than the generic one of a later reset.
        connection_.Fail(sql_);
    }
}

void SqliteStatement::Run()
{
    while (Step()) {
    }
}

void SqliteStatement::Reset()
{
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::string SqliteStatement::Text(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement_, column))) : std::string();
}

long long SqliteStatement::Integer(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

}  // namespace varnemo::notes::local
