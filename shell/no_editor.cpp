// The edition without an editor: the host shows its parameter list.
#include "output_meter.h"

namespace vst {

OutputMeter* attachEditor(AudioEffect& effect) {
    (void)effect;
    return nullptr;
}

}  // namespace vst
