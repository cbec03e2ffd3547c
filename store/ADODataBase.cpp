#include "ADODataBase.h"

#include "ComRuntime.h"
#include "ErrorText.h"

CADODataBase::CADODataBase()
{
    store::ComInitializeThread();
    m_pConnection = ado::Connection::Create();
}

CADODataBase::~CADODataBase()
{
    try {
        Close();
    } catch (const ado::_com_error&) {
        // a destructor has nobody to tell
    }
    m_pConnection.reset();
    m_strConnection.clear();
    m_strLastError.clear();
    m_dwLastError = 0;
    store::ComUninitializeThread();
}

bool CADODataBase::Open(const std::string& connectionString, const std::string& userId,
                        const std::string& password)
{
    if (IsOpen())
        Close();
    if (!connectionString.empty())
        m_strConnection = connectionString;
    try {
        if (!m_pConnection)
            throw ado::_com_error(ado::E_POINTER);
        m_pConnection->Open(m_strConnection, userId, password, 0);
        return true;
    } catch (const ado::_com_error& error) {
        RecordError(error);
        return false;
    }
}

bool CADODataBase::Create(const std::string& connectionString)
{
    if (IsOpen())
        Close();
    if (!connectionString.empty())
        m_strConnection = connectionString;
    try {
        if (!m_pConnection)
            throw ado::_com_error(ado::E_POINTER);
        m_pConnection->Create(m_strConnection);
        return true;
    } catch (const ado::_com_error& error) {
        RecordError(error);
        return false;
    }
}

bool CADODataBase::IsOpen() const
{
    return m_pConnection && m_pConnection->State() != ado::adStateClosed;
}

void CADODataBase::Close()
{
    if (IsOpen())
        m_pConnection->Close();
}

bool CADODataBase::Execute(const std::string& commandText)
{
    try {
        if (!m_pConnection)
            throw ado::_com_error(ado::E_POINTER);
        m_pConnection->PutCursorLocation(ado::adUseClient);
        long affected = 0;
        m_pConnection->Execute(commandText, &affected, ado::adExecuteNoRecords);
        return true;
    } catch (const ado::_com_error& error) {
        RecordError(error);
        return false;
    }
}

void CADODataBase::RecordError(const ado::_com_error& error)
{
    m_dwLastError = static_cast<std::uint32_t>(error.Error());
    m_strErrorDescription = error.Description();
    m_strLastError = "Connection String = " + m_strConnection + "\n" +
                     store::FormatComError("CADODataBase", error);
}
