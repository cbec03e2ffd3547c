#include "store/ado/Command.h"

#include "store/ado/Connection.h"
#include "store/ado/Recordset.h"

namespace ado {

CommandPtr Command::Create()
{
    return CommandPtr(new Command());
}

RecordsetPtr Command::Execute()
{
    if (!connection_ || connection_->State() == adStateClosed)
        throw _com_error(adErrInvalidConnection, kSourceCommand,
                         "The connection cannot be used to perform this operation. It is either "
                         "closed or invalid in this context.");
    if (type_ == adCmdStoredProc)
        throw _com_error(adErrFeatureNotAvailable, kSourceCommand,
                         "The database has no stored procedure '" + text_ + "'.");
    auto recordset = Recordset::Create();
    recordset->Open(text_, connection_, adLockReadOnly, adCmdText);
    return recordset;
}

} // namespace ado
