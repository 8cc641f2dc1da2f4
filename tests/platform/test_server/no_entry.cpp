// A library that loads but is not a server: it exports none of the entry
// points, so loading it for a class must fail cleanly.
extern "C" [[gnu::visibility("default")]] int QuenbyNotAServer() { return 0; }
