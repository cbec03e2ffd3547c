#include "store/access/JetFile.h"

#include "store/access/Jet4Text.h"

namespace jet {

JetFile::JetFile(ByteSource& source)
    : header_(ReadFileHeader(source)), pages_(source, header_.Format().pageSize)
{
    if (header_.version == JetVersion::Jet3)
        codePage_.emplace(header_.codePage);
}

std::string JetFile::Text(std::string_view stored) const
{
    return codePage_ ? codePage_->ToUtf8(stored) : Jet4TextToUtf8(stored);
}

TextDecoder JetFile::Decoder() const
{
    return [this](std::string_view stored) { return Text(stored); };
}

} // namespace jet
