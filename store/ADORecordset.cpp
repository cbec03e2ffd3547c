#include "ADORecordset.h"

#include "ADODataBase.h"
#include "ErrorText.h"
#include "FieldText.h"

CADORecordset::CADORecordset()
    : m_pRecordset(ado::Recordset::Create()), m_pCommand(ado::Command::Create())
{
}

CADORecordset::CADORecordset(CADODataBase* database) : CADORecordset()
{
    if (database)
        m_pConnection = database->GetConnection();
}

CADORecordset::~CADORecordset()
{
    try {
        Close();
    } catch (const ado::_com_error&) {
        // a destructor has nobody to tell
    }
    m_nEditState = editIdle;
}

ado::Recordset& CADORecordset::Rs() const
{
    if (!m_pRecordset)
        throw ado::_com_error(ado::E_POINTER);
    return *m_pRecordset;
}

bool CADORecordset::Open(const std::string& source, OpenMode mode)
{
    Close();
    if (!source.empty())
        m_strQuery = source;
    const auto first = m_strQuery.find_first_not_of(" \t\r\n\v\f");
    m_strQuery.erase(0, first == std::string::npos ? m_strQuery.size() : first);
    try {
        ado::Recordset& rs = Rs();
        rs.PutCursorType(ado::adOpenStatic);
        rs.PutCursorLocation(ado::adUseClient);
        switch (mode) {
        case modeAny:
        case modeQuery:
            rs.Open(m_strQuery, m_pConnection, ado::adOpenStatic, ado::adLockOptimistic,
                    ado::adCmdUnknown);
            break;
        case modeTable:
            rs.Open(m_strQuery, m_pConnection, ado::adOpenKeyset, ado::adLockOptimistic,
                    ado::adCmdTable);
            break;
        case modeProcedure:
            if (!m_pCommand)
                throw ado::_com_error(ado::E_POINTER);
            m_pCommand->PutActiveConnection(m_pConnection);
            m_pCommand->PutCommandText(m_strQuery);
            m_pCommand->PutCommandType(ado::adCmdStoredProc);
            if (m_pConnection)
                m_pConnection->PutCursorLocation(ado::adUseClient);
            m_pRecordset = m_pCommand->Execute(ado::adCmdText);
            break;
        default:
            return false;
        }
        return m_pRecordset != nullptr;
    } catch (const ado::_com_error& error) {
        RecordError(error);
        return false;
    }
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
    m_pRecordset->PutSort("");
    m_pRecordset->Close();
}

bool CADORecordset::ReadField(const std::string& field, int& value)
{
    try {
        const ado::Variant v = Rs().GetFieldValue(field);
        int converted = 0;
        if (!store::FieldToInteger(v, converted))
            throw ado::_com_error(ado::DISP_E_TYPEMISMATCH, ado::kSourceRecordset,
                                  "The field '" + field + "' holds " + v.Describe() +
                                      ", which is not a whole number.");
        value = converted;
        return true;
    } catch (const ado::_com_error& error) {
        RecordError(error);
        return false;
    }
}

bool CADORecordset::ReadField(const std::string& field, std::string& value, std::string dateFormat)
{
    try {
        const ado::Variant v = Rs().GetFieldValue(field);
        std::string converted;
        if (!store::FieldToText(v, dateFormat, converted))
            return false; // a kind of value with no text form; nothing is recorded
        value = std::move(converted);
        return true;
    } catch (const ado::_com_error& error) {
        RecordError(error);
        return false;
    }
}

bool CADORecordset::WriteValue(const std::string& field, const ado::Variant& value)
{
    if (m_nEditState != editAdding)
        return false;
    try {
        Rs().PutFieldValue(field, value);
        return true;
    } catch (const ado::_com_error& error) {
        RecordError(error);
        return false;
    }
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
    bool stored = false;
    try {
        Rs().Update();
        stored = true;
    } catch (const ado::_com_error& error) {
        RecordError(error);
    }
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
    m_strLastError = "Query = " + m_strQuery + "\n" + store::FormatComError("CADORecordset", error);
}
