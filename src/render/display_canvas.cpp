#include "render/display_canvas.h"

#include "render/canvas.h"
#include "render/saver_state.h"

namespace pyxora {

void PrepareCanvas() {
  if (gState.Canvas) gState.Canvas->Prepare();
}

void ClearCanvas() {
  if (gState.Canvas) gState.Canvas->Clear();
}

}  // namespace pyxora
