#pragma once
// Start-up and shut-down of the visual class library: the mouse, the screen and the
// application objects, the graphic classes (file formats and picture data), the control
// classes that stored forms name and the visual-control class group (TControl's), which it
// makes the active group.
namespace qd::forms {

// Creates Mouse, Screen and Application when they do not exist yet and registers the
// classes. Safe to call again after Finalize.
void Initialize();
// Frees Application (with its forms), Screen and Mouse.
void Finalize();

}  // namespace qd::forms
