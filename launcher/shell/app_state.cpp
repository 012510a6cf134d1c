#include "launcher/shell/app_state.h"

namespace tessaly {

AppState& State() {
    static AppState state;
    return state;
}

}  // namespace tessaly
