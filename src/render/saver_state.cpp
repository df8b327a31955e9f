#include "render/saver_state.h"

namespace pyxora {

SaverState gState;

}  // namespace pyxora
