#include "cli/Export.h"

#include "cli/ExportCommon.h"

namespace tarvix::cli {

std::string ExportConfiguration(ExportTarget target, const std::vector<PlannedMapping>& mappings, const QString& file)
{
    if (target == ExportTarget::Haproxy)
        return ExportHaproxy(file, PrepareExport(mappings, "haproxy"));
    return ExportNginx(file, PrepareExport(mappings, "nginx"));
}

} // namespace tarvix::cli
