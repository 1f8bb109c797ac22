// liborval gathers every module of src/ whole; this file gives the library
// its one symbol of its own: the version it was built as.
namespace orval {
const char* libraryVersion() { return "1.0.0"; }
}  // namespace orval
