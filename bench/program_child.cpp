// Mivo exactly as it starts: app/main.cpp is compiled into this program with its main() renamed, so
// the window is wired by the program's own code and not by a copy of it. FirstFrameReporter, linked
// in beside it, reports the first painted frame.

int mivoProgramMain(int argc, char* argv[]);

int main(int argc, char* argv[]) {
    return mivoProgramMain(argc, argv);
}
