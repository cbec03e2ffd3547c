#include "store/SourceStream.h"

#include "store/ErrorText.h"

namespace store {

void StreamSource(const std::string& source, const RowSink& sink,
                  const std::function<void(const RowSink&)>& stream,
                  const std::function<void(const std::string& text)>& unread)
{
    bool reading = true; // false while the sink works
    const auto inSink = [&reading](const auto& work) {
        reading = false;
        work();
        reading = true;
    };
    RowSink watched = sink;
    if (sink.columns)
        watched.columns = [&](const std::vector<ColumnInfo>& columns) {
            inSink([&] { sink.columns(columns); });
        };
    if (sink.row)
        watched.row = [&](const std::vector<ado::Variant>& row) { inSink([&] { sink.row(row); }); };
    if (sink.cells)
        watched.cells = [&](const RowCells& cells) { inSink([&] { sink.cells(cells); }); };
    try {
        stream(watched);
    } catch (const ado::_com_error& error) {
        if (!reading)
            throw;
        unread(RecordsetErrorText(source, error));
        throw; // an `unread` that raised nothing leaves the failure as it came
    }
}

} // namespace store
