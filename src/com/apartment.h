#pragma once

namespace varnemo::com {

// Initialises COM on the calling thread the first time it is called there (a single-threaded
// apartment, as the components expect of a user-interface thread); the thread leaves COM when
// it ends. Throws ComponentError when COM cannot be initialised.
void EnterApartment();

}  // namespace varnemo::com
