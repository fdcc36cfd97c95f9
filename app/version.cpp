// The program's name as the windows and the data root derive it.
namespace app {
const char* programName() { return "Pagora"; }
}
