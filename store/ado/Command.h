#pragma once

#include "store/ado/AdoConstants.h"

#include <string>

namespace ado {

// ADO's Command, as far as stored procedures need it; the show store has none.
class Command
{
public:
    static CommandPtr Create();
    void PutActiveConnection(const ConnectionPtr& connection) { connection_ = connection; }
    void PutCommandText(const std::string& text) { text_ = text; }
    void PutCommandType(CommandTypeEnum type) { type_ = type; }
    RecordsetPtr Execute();

private:
    Command() = default;
    ConnectionPtr connection_;
    std::string text_;
    CommandTypeEnum type_ = adCmdUnknown;
};

} // namespace ado
