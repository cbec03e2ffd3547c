#pragma once

#include "store/ADODataBase.h"

namespace store {

// Closes a store connection on every way out of a command: between commands
// the connection is closed.
class StoreCloser
{
public:
    explicit StoreCloser(CADODataBase& db) : db_(db) {}
    ~StoreCloser()
    {
        try {
            db_.Close();
        } catch (const ado::_com_error&) {
            // the connection is gone either way
        }
    }
    StoreCloser(const StoreCloser&) = delete;
    StoreCloser& operator=(const StoreCloser&) = delete;

private:
    CADODataBase& db_;
};

} // namespace store
