#include "cli/commands.h"

namespace novarel::cli {

int RunAspectarianCommand(Program& program, const CommandOptions&) {
    program.seams().messages.showMessage("The aspectarian is not available yet.", "Information",
                                         MessageIcon::Information);
    return 1;
}

}  // namespace novarel::cli
