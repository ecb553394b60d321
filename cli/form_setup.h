// Setting the window's controls the way a user would before pressing a start button.
#pragma once

#include "app/controls.h"
#include "app/memory_form.h"
#include "cli/command_line.h"
#include "web/endpoints.h"

namespace velmora::cli {

// Fills the in-memory form from the command line and returns the start button to press.
Control PrepareForm(CommandLine const& line, MemoryForm& form);

// The endpoints: the marketplace's, with the command line's replacements.
Endpoints EndpointsFor(CommandLine const& line);

} // namespace velmora::cli
