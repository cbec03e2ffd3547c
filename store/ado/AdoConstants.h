#pragma once

#include "store/ComError.h"

#include <memory>

// The ADO constants that the emulated objects (Connection.h, Recordset.h,
// Command.h) take and report, numbered as ADO numbers them.
namespace ado {

enum ObjectStateEnum : long
{
    adStateClosed = 0,
    adStateOpen = 1
};
enum SchemaEnum : long
{
    adSchemaTables = 20
};
enum LockTypeEnum : long
{
    adLockReadOnly = 1,
    adLockOptimistic = 3
};
enum CommandTypeEnum : long
{
    adCmdText = 1,
    adCmdTable = 2,
    adCmdStoredProc = 4,
    adCmdUnknown = 8
};
enum EditModeEnum : long
{
    adEditNone = 0,
    adEditInProgress = 1,
    adEditAdd = 2
};

inline constexpr HRESULT adErrInvalidConnection = MakeHresult(0x800A0E7D);

class Connection;
class Recordset;
class Command;
using ConnectionPtr = std::shared_ptr<Connection>;
using RecordsetPtr = std::shared_ptr<Recordset>;
using CommandPtr = std::shared_ptr<Command>;

} // namespace ado
