#pragma once
// The run as the forms see it: the language of the program's texts and whether it has ended.
// The program (App) is the one session; the tests' harness runs a real one.
namespace velkor {

class Session {
  public:
    virtual ~Session() = default;
    // German when the settings file says 1, English for any other number, a missing or a
    // non-numeric value.
    virtual bool GermanTexts() const = 0;
    // True once the main window has been unloaded: the program is over.
    virtual bool ended() const = 0;
};

}  // namespace velkor
