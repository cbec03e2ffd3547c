#include "AccessDatabase.h"

namespace store {

namespace {
constexpr char kSource[] = "Access database reader";
}

AccessDatabase::AccessDatabase(std::string path, MdbReaderLimits limits)
    : path_(std::move(path)), limits_(limits)
{
}

AccessDatabase::~AccessDatabase() = default;

std::unique_ptr<AccessDatabase> AccessDatabase::Open(const std::string& path,
                                                     const MdbReaderLimits& limits)
{
    (void)limits;
    throw ado::_com_error(ado::E_FAIL, kSource,
                          "The file '" + path + "' could not be read as an Access database.");
}

std::string AccessDatabase::SourceName() const { return kSource; }
long AccessDatabase::Execute(const std::string&) { throw ado::_com_error(ado::E_FAIL); }
RowSet AccessDatabase::Query(const std::string&) { throw ado::_com_error(ado::E_FAIL); }
RowSet AccessDatabase::OpenTable(const std::string&) { throw ado::_com_error(ado::E_FAIL); }
std::vector<TableEntry> AccessDatabase::ListTables() { return tables_; }
std::int64_t AccessDatabase::InsertRow(const std::string&, const std::vector<ColumnInfo>&,
                                       const std::vector<ado::Variant>&, const std::vector<bool>&)
{
    throw ado::_com_error(ado::E_FAIL);
}
void AccessDatabase::UpdateRow(const std::string&, std::int64_t, const std::vector<ColumnInfo>&,
                               const std::vector<ado::Variant>&, const std::vector<bool>&)
{
    throw ado::_com_error(ado::E_FAIL);
}
void AccessDatabase::BeginTransaction() {}
void AccessDatabase::CommitTransaction() {}
void AccessDatabase::RollbackTransaction() {}

} // namespace store
