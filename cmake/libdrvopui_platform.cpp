// The platform's shared object: it is made of the platform archive, linked whole; this file only
// gives the linker a source to start from.
