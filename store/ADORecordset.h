#pragma once

#include "store/ado/Command.h"
#include "store/ado/Recordset.h"

#include <cstdint>
#include <string>

class CADODataBase;

// What the source text given to CADORecordset::Open is.
enum OpenMode : std::int32_t
{
    modeAny = 0,       // SQL text or a name, opened as a query
    modeQuery = 1,     // SQL text
    modeTable = 2,     // a table name
    modeProcedure = 3, // a stored procedure's name
};

enum EditState : std::int32_t
{
    editIdle = 0,
    editAdding = 1, // from AddNew until Update, CancelUpdate or Close
};

// One set of rows on a CADODataBase, owned by this object alone: it closes
// them when it goes. It moves but does not copy, so no dying copy can close
// rows another object still reads; callers bind a long-lived object by
// assigning it one constructed with the database.
class CADORecordset
{
public:
    CADORecordset();
    explicit CADORecordset(CADODataBase* database);
    CADORecordset(CADORecordset&& other) noexcept;
    // Closes the rows held so far, then takes over those of `other`.
    CADORecordset& operator=(CADORecordset&& other) noexcept;
    virtual ~CADORecordset();

    bool Open(const std::string& source, OpenMode mode);
    bool IsOpen() const;
    void Close();

    bool ReadField(const std::string& field, int& value);
    bool ReadField(const std::string& field, std::string& value, std::string dateFormat);
    bool WriteField(const std::string& field, int value);
    bool WriteField(const std::string& field, const std::string& value);

    bool AddNew();
    bool Update();
    void CancelUpdate();

    ado::RecordsetPtr GetRecordset() const { return m_pRecordset; }
    EditState GetEditState() const { return m_nEditState; }
    std::string GetLastErrorText() const { return m_strLastError; }
    std::uint32_t GetLastErrorCode() const { return m_dwLastError; }
    std::string GetQuery() const { return m_strQuery; }

private:
    ado::Recordset& Rs() const;
    // The error guard: a failure of `work` is recorded and gives false.
    template <typename Work> bool Guarded(Work work);
    bool OpenProcedure();
    bool WriteValue(const std::string& field, ado::Variant value);
    void RecordError(const ado::_com_error& error);
    void CloseQuietly() noexcept;

    ado::RecordsetPtr m_pRecordset;
    ado::CommandPtr m_pCommand;
    ado::ConnectionPtr m_pConnection;
    EditState m_nEditState = editIdle;
    std::string m_strLastError;
    std::uint32_t m_dwLastError = 0;
    std::string m_strQuery;
};
