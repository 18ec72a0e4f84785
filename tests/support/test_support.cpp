// Every test runs quiet: errors print instead of opening a dialog.
#include "orvan/error_report.h"

namespace {
const bool kQuiet = (orvan::SetErrorDialogsSuppressed(true), true);
}
