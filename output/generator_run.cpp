#include "output/generator_run.h"

#include "core/start_date.h"
#include "output/data_buffer.h"

namespace novarel {

bool BeginGeneratorRun(RunContext& ctx) {
    ctx.state.InputError = 0;
    ValidateDateInput(ctx.request, ctx.state, ctx.messages);
    if (ctx.state.InputError == 1) return false;
    ctx.buffer.ClearPage();
    ctx.progress.setBusy(true);
    ctx.windows.runStarted();
    ReadStartDate(ctx.request, ctx.state);
    return true;
}

}  // namespace novarel
