// libFuzzer target: any bytes, read as an Access file the way the reader
// program reads one (its catalogue, then every table), must end in answers
// or in jet::Unreadable: never a crash, a hang, a leak or undefined
// behaviour.
#include "store/access/ByteSource.h"
#include "store/access/Catalogue.h"
#include "store/access/JetFile.h"
#include "store/access/Unreadable.h"
#include "store/mdbreader/AnswerWriter.h"
#include "store/mdbreader/MdbReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    jet::MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
    std::size_t answered = 0;
    const auto count = [&answered](std::string_view piece) { answered += piece.size(); };
    try {
        jet::JetFile file(source);
        const std::vector<jet::CatalogueEntry> catalogue = jet::ReadCatalogue(file);
        mdbreader::AnswerWriter tables(count);
        mdbreader::WriteCatalogueFrom(catalogue, tables);
        tables.Finish();
        for (const jet::CatalogueEntry& entry : catalogue) {
            if (!entry.IsTable())
                continue;
            mdbreader::AnswerWriter out(count);
            mdbreader::AnswerTableFrom(file, catalogue, entry.name, out);
        }
    } catch (const jet::Unreadable&) {
    }
    return 0;
}
