#include "store/ADORecordset.h"

#include "store/ADODataBase.h"
#include "store/ErrorText.h"
#include "store/FieldText.h"

#include <utility>

CADORecordset::CADORecordset()
    : m_pRecordset(ado::Recordset::Create()), m_pCommand(ado::Command::Create())
{
}

CADORecordset::CADORecordset(CADODataBase* database) : CADORecordset()
{
    if (database)
        m_pConnection = database->GetConnection();
}

// A moved-from object holds no rows: its destructor and Close do nothing.
CADORecordset::CADORecordset(CADORecordset&& other) noexcept
    : m_pRecordset(std::move(other.m_pRecordset)), m_pCommand(std::move(other.m_pCommand)),
      m_pConnection(std::move(other.m_pConnection)),
      m_nEditState(std::exchange(other.m_nEditState, editIdle)),
      m_strLastError(std::move(other.m_strLastError)),
      m_dwLastError(std::exchange(other.m_dwLastError, 0)), m_strQuery(std::move(other.m_strQuery))
{
}

CADORecordset& CADORecordset::operator=(CADORecordset&& other) noexcept
{
    if (this != &other) {
        CloseQuietly();
        m_pRecordset = std::move(other.m_pRecordset);
        m_pCommand = std::move(other.m_pCommand);
        m_pConnection = std::move(other.m_pConnection);
        m_nEditState = std::exchange(other.m_nEditState, editIdle);
        m_strLastError = std::move(other.m_strLastError);
        m_dwLastError = std::exchange(other.m_dwLastError, 0);
        m_strQuery = std::move(other.m_strQuery);
    }
    return *this;
}

CADORecordset::~CADORecordset()
{
    CloseQuietly();
}

void CADORecordset::CloseQuietly() noexcept
{
    try {
        Close();
    } catch (const ado::_com_error&) {
        // nobody to tell: the rows go with their last reference anyway
    }
}

ado::Recordset& CADORecordset::Rs() const
{
    if (!m_pRecordset)
        throw ado::_com_error(ado::E_POINTER);
    return *m_pRecordset;
}

template <typename Work> bool CADORecordset::Guarded(Work work)
{
    try {
        return work();
    } catch (const ado::_com_error& error) {
        RecordError(error);
        return false;
    }
}

bool CADORecordset::Open(const std::string& source, OpenMode mode)
{
    Close();
    if (!source.empty())
        m_strQuery = source;
    const auto first = m_strQuery.find_first_not_of(" \t\r\n\v\f");
    m_strQuery.erase(0, first == std::string::npos ? m_strQuery.size() : first);
    switch (mode) {
    case modeAny:
    case modeQuery:
        return Guarded([&] {
            Rs().Open(m_strQuery, m_pConnection, ado::adLockOptimistic, ado::adCmdUnknown);
            return true;
        });
    case modeTable:
        return Guarded([&] {
            Rs().Open(m_strQuery, m_pConnection, ado::adLockOptimistic, ado::adCmdTable);
            return true;
        });
    case modeProcedure:
        return Guarded([&] { return OpenProcedure(); });
    }
    return false;
}

bool CADORecordset::OpenProcedure()
{
    if (!m_pCommand)
        throw ado::_com_error(ado::E_POINTER);
    m_pCommand->PutActiveConnection(m_pConnection);
    m_pCommand->PutCommandText(m_strQuery);
    m_pCommand->PutCommandType(ado::adCmdStoredProc);
    m_pRecordset = m_pCommand->Execute();
    return m_pRecordset != nullptr;
}

bool CADORecordset::IsOpen() const
{
    return m_pRecordset && m_pConnection && m_pConnection->State() != ado::adStateClosed &&
           m_pRecordset->State() != ado::adStateClosed;
}

void CADORecordset::Close()
{
    if (!IsOpen())
        return;
    if (m_nEditState == editAdding)
        CancelUpdate();
    m_pRecordset->Close();
}

bool CADORecordset::ReadField(const std::string& field, int& value)
{
    return Guarded([&] {
        const ado::Variant v = Rs().GetCollect(field);
        int converted = 0;
        if (!store::FieldToInteger(v, converted))
            throw ado::_com_error(ado::DISP_E_TYPEMISMATCH, ado::kSourceRecordset,
                                  "The field '" + field + "' holds " + v.Describe() +
                                      ", which is not a whole number.");
        value = converted;
        return true;
    });
}

bool CADORecordset::ReadField(const std::string& field, std::string& value, std::string dateFormat)
{
    return Guarded([&] {
        const ado::Variant v = Rs().GetCollect(field);
        std::string converted;
        if (!store::FieldToText(v, dateFormat, converted))
            return false; // a kind of value with no text form; nothing is recorded
        value = std::move(converted);
        return true;
    });
}

bool CADORecordset::WriteValue(const std::string& field, ado::Variant value)
{
    if (m_nEditState != editAdding)
        return false;
    return Guarded([&] {
        Rs().PutCollect(field, std::move(value));
        return true;
    });
}

bool CADORecordset::WriteField(const std::string& field, int value)
{
    return WriteValue(field, ado::Variant::I4(value));
}

bool CADORecordset::WriteField(const std::string& field, const std::string& value)
{
    // An empty text stores NULL.
    return WriteValue(field, value.empty() ? ado::Variant::Null() : ado::Variant::Bstr(value));
}

bool CADORecordset::AddNew()
{
    m_nEditState = editIdle;
    Rs().AddNew(); // raises to the caller, not recorded
    m_nEditState = editAdding;
    return true;
}

bool CADORecordset::Update()
{
    if (m_nEditState == editIdle)
        return true;
    const bool stored = Guarded([&] {
        Rs().Update();
        return true;
    });
    if (!stored)
        Rs().CancelUpdate();
    m_nEditState = editIdle;
    return stored;
}

void CADORecordset::CancelUpdate()
{
    Rs().CancelUpdate();
    m_nEditState = editIdle;
}

void CADORecordset::RecordError(const ado::_com_error& error)
{
    m_dwLastError = static_cast<std::uint32_t>(error.Error());
    m_strLastError = store::RecordsetErrorText(m_strQuery, error);
}
