#pragma once

#include "store/access/ByteSource.h"
#include "store/access/CodePageText.h"
#include "store/access/FileHeader.h"
#include "store/access/Pages.h"
#include "store/access/TableDefinition.h"

#include <optional>
#include <string>
#include <string_view>

namespace jet {

// An Access (Jet 3 or Jet 4) file opened for reading: its format, its pages
// and its way of storing texts. The source must outlive it.
class JetFile
{
public:
    // Raises Unreadable for files this reader refuses (see ReadFileHeader).
    explicit JetFile(ByteSource& source);

    const JetFormat& Format() const { return header_.Format(); }
    Pages& GetPages() { return pages_; }
    // A stored text (a name, a Text or Memo value) as UTF-8.
    std::string Text(std::string_view stored) const;
    TextDecoder Decoder() const;

private:
    FileHeader header_;
    Pages pages_;
    std::optional<CodePageText> codePage_; // Jet 3 only
};

} // namespace jet
