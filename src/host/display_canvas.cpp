#include "host/display_canvas.h"

#include "host/saver_state.h"
#include "render/canvas.h"

namespace pyxora {

void PrepareCanvas() {
  if (gState.Canvas) gState.Canvas->Prepare();
}

void ClearCanvas() {
  if (gState.Canvas) gState.Canvas->Clear();
}

}  // namespace pyxora
