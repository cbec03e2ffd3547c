#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace ado {

using HRESULT = std::int32_t;

constexpr HRESULT MakeHresult(std::uint32_t code)
{
    return static_cast<HRESULT>(code);
}

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_NOTIMPL = MakeHresult(0x80004001);
inline constexpr HRESULT E_POINTER = MakeHresult(0x80004003);
inline constexpr HRESULT E_FAIL = MakeHresult(0x80004005);
inline constexpr HRESULT E_UNEXPECTED = MakeHresult(0x8000FFFF);
inline constexpr HRESULT E_ACCESSDENIED = MakeHresult(0x80070005);
inline constexpr HRESULT E_OUTOFMEMORY = MakeHresult(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = MakeHresult(0x80070057);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = MakeHresult(0x80020005);
// OLE DB provider codes.
inline constexpr HRESULT DB_E_ERRORSINCOMMAND = MakeHresult(0x80040E14);
inline constexpr HRESULT DB_E_INTEGRITYVIOLATION = MakeHresult(0x80040E2F);
inline constexpr HRESULT DB_E_NOTABLE = MakeHresult(0x80040E37);
inline constexpr HRESULT DB_E_DATAOVERFLOW = MakeHresult(0x80040E57);
// ADO's own codes.
inline constexpr HRESULT adErrInvalidArgument = MakeHresult(0x800A0BB9);
inline constexpr HRESULT adErrNoCurrentRecord = MakeHresult(0x800A0BCD);
inline constexpr HRESULT adErrItemNotFound = MakeHresult(0x800A0CC1);
inline constexpr HRESULT adErrFeatureNotAvailable = MakeHresult(0x800A0CB3);
inline constexpr HRESULT adErrObjectClosed = MakeHresult(0x800A0E78);
inline constexpr HRESULT adErrObjectOpen = MakeHresult(0x800A0E79);

// The platform's text for a result code; the "IDispatch error #%d" and
// "Unknown error 0x%0lX" forms where the platform has none.
std::string ErrorMessage(HRESULT code);

// The failure object that the store raises, the one error model of the
// store and its engines: a result code and, when the provider gives it, the
// error information (source and description). what() is the part that tells a
// user what went wrong: the description, or the code's meaning without one.
class _com_error : public std::runtime_error
{
public:
    explicit _com_error(HRESULT code) : std::runtime_error(ado::ErrorMessage(code)), code_(code) {}
    _com_error(HRESULT code, std::string source, std::string description)
        : std::runtime_error(description.empty() ? ado::ErrorMessage(code) : description),
          code_(code), source_(std::move(source)), description_(std::move(description)),
          hasErrorInfo_(true)
    {
    }

    HRESULT Error() const { return code_; }
    std::string ErrorMessage() const { return ado::ErrorMessage(code_); }
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }
    bool HasErrorInfo() const { return hasErrorInfo_; }

private:
    HRESULT code_;
    std::string source_;
    std::string description_;
    bool hasErrorInfo_ = false;
};

// Source names of the error information, as a provider names itself.
inline constexpr char kSourceConnection[] = "ADODB.Connection";
inline constexpr char kSourceRecordset[] = "ADODB.Recordset";
inline constexpr char kSourceCommand[] = "ADODB.Command";

} // namespace ado
