#include "settings/InOutError.h"

#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"

#include <cerrno>

namespace tarvix {

EInOutError::EInOutError(int code) : Exception(InOutErrorMessage(code)), code_(code) {}

std::string InOutErrorMessage(int code)
{
    switch (code) {
    case 2: return LoadResString(msg::FileNotFound);
    case 3: return LoadResString(msg::InvalidFileName);
    case 4: return LoadResString(msg::TooManyOpenFiles);
    case 5: return LoadResString(msg::FileAccessDenied);
    case 100: return LoadResString(msg::ReadBeyondEnd);
    case 101: return LoadResString(msg::DiskFull);
    default: return FormatRes(msg::InOutError, {code});
    }
}

int InOutCodeFromErrno(int err, bool writing)
{
    // The codes are those the system's own file functions report, so that messages read the same everywhere.
    switch (err) {
    case ENOENT: return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY: return 5;
    case ENOMEM: return 8;
    case EXDEV: return 17;
    case EBUSY: return 32;
    case EEXIST: return 80;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return 101;
    default: return writing ? 29 : 30; // write fault, read fault
    }
}

} // namespace tarvix
