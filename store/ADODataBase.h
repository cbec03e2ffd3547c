#pragma once

#include "store/ado/Connection.h"
#include "store/ado/Recordset.h" // what OpenSchema hands out

#include <cstdint>
#include <string>

// One connection to one database file. Operations that fail return false and
// keep the error text and code; the objects from GetConnection raise instead.
class CADODataBase
{
public:
    CADODataBase();
    virtual ~CADODataBase();
    CADODataBase(const CADODataBase&) = delete;
    CADODataBase& operator=(const CADODataBase&) = delete;

    bool Open(const std::string& connectionString, const std::string& userId,
              const std::string& password);
    // As Open, but on a new SQLite file that it creates; false (with the error
    // kept) when the file exists already or cannot be made.
    bool Create(const std::string& connectionString);
    bool IsOpen() const;
    void Close();
    bool Execute(const std::string& commandText);

    std::string GetLastErrorText() const { return m_strLastError; }
    std::string GetLastErrorDescription() const { return m_strErrorDescription; }
    std::uint32_t GetLastErrorCode() const { return m_dwLastError; }
    ado::ConnectionPtr GetConnection() const { return m_pConnection; }

private:
    using Start = void (ado::Connection::*)(const std::string&);
    bool Connect(const std::string& connectionString, Start start);
    // The error guard: a failure of `work` is recorded and gives false.
    // The error guard: a failure of `work` is recorded and gives false.
    template <typename Work> bool Guarded(Work work);
    void RecordError(const ado::_com_error& error);

    ado::ConnectionPtr m_pConnection;
    std::string m_strConnection;
    std::string m_strLastError;
    std::string m_strErrorDescription;
    std::uint32_t m_dwLastError = 0;
};
