#include "store/ADODataBase.h"

#include "store/ComRuntime.h"
#include "store/ErrorText.h"

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
    m_pConnection.reset(); // released before COM goes
    store::ComUninitializeThread();
}

template <typename Work> bool CADODataBase::Guarded(Work work)
{
    try {
        if (!m_pConnection)
            throw ado::_com_error(ado::E_POINTER);
        work(*m_pConnection);
        return true;
    } catch (const ado::_com_error& error) {
        RecordError(error);
        return false;
    }
}

bool CADODataBase::Open(const std::string& connectionString, const std::string& /*userId*/,
                        const std::string& /*password*/)
{
    // The engines behind the connection know no users: the file decides.
    return Connect(connectionString, &ado::Connection::Open);
}

bool CADODataBase::Create(const std::string& connectionString)
{
    return Connect(connectionString, &ado::Connection::Create);
}

bool CADODataBase::Connect(const std::string& connectionString, Start start)
{
    if (IsOpen())
        Close();
    if (!connectionString.empty())
        m_strConnection = connectionString;
    return Guarded([&](ado::Connection& connection) { (connection.*start)(m_strConnection); });
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
    return Guarded([&](ado::Connection& connection) { connection.Execute(commandText); });
}

void CADODataBase::RecordError(const ado::_com_error& error)
{
    m_dwLastError = static_cast<std::uint32_t>(error.Error());
    m_strErrorDescription = error.Description();
    m_strLastError = "Connection String = " + m_strConnection + "\n" +
                     store::FormatComError("CADODataBase", error);
}
