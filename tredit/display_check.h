#pragma once

// Whether the toolkit has a display to open: an X server, a Wayland
// compositor, or a platform named outright (such as offscreen). Asked before
// the toolkit starts, which would otherwise abort with a message of its own.
bool DisplayAvailable();
