#pragma once

#include "ftp/FtpPaden.h"

#include <QStringList>

#include <initializer_list>

namespace Vamox::Test {

// A line of fields joined by the separator of server lines and listing lines.
inline QString Velden(std::initializer_list<const char*> velden)
{
    QStringList l;
    for (const char* v : velden)
        l << QString::fromUtf8(v);
    return l.join(Scheidingsteken);
}

} // namespace Vamox::Test
