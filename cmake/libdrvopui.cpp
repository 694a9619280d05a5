// The shared library's own translation unit: the library is made of the subsystem archives,
// linked whole; this file only gives the linker a source to start from.
