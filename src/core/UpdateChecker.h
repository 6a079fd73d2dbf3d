#pragma once

#include <QString>
#include <memory>

// The outside update component, handed the program's version
// ("major.minor.revision") to look for a newer one; its answer is not used.
// This build has no update service: the hand-over is kept and nothing is done.
class UpdateChecker {
  public:
    virtual ~UpdateChecker() = default;
    virtual void CheckVersion(QString& version) { (void)version; }
};

// One holder's own update component, made on first use; tests hand in one
// that records the calls.
class UpdateCheckerSlot {
  public:
    UpdateChecker& get() {
        if (!checker_) checker_ = std::make_unique<UpdateChecker>();
        return *checker_;
    }
    void set(std::unique_ptr<UpdateChecker> checker) { checker_ = std::move(checker); }
    bool made() const { return checker_ != nullptr; }

  private:
    std::unique_ptr<UpdateChecker> checker_;
};
