#pragma once
// COM on the user-interface thread, which the shell, the help viewer and the common dialogs expect. Started
// just before the first of them is called rather than at start-up: most runs call none of them.

namespace uplift::win {

void EnsureComApartment();
// Ends what EnsureComApartment started, at the end of the run.
void EndComApartment();

} // namespace uplift::win
