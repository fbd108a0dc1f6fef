// Anchor for the compiled-in icons and translation; qt_add_resources attaches
// the resource objects to this library.
