#pragma once

#include "store/ado/Connection.h"

namespace store {

// A transaction on a connection that is undone unless Commit is called: every
// way out of a failed piece of work leaves the file as it was.
class Transaction
{
public:
    explicit Transaction(ado::Connection& connection) : connection_(connection)
    {
        connection_.BeginTrans();
    }
    ~Transaction()
    {
        if (active_) {
            try {
                connection_.RollbackTrans();
            } catch (const ado::_com_error&) {
                // closing the connection undoes it as well
            }
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit()
    {
        connection_.CommitTrans();
        active_ = false;
    }

private:
    ado::Connection& connection_;
    bool active_ = true;
};

} // namespace store
