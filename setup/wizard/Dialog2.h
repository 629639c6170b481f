// The destination page: where the program is installed, proposed from the default location
// and open to typing or to the folder browser.
#pragma once

#include "page_frame.h"

#include <string>

class DestinationPage : public SetupPage {
public:
    DestinationPage(const WizardContext& context, InstallFor& install_for);

    // The directory accepted by the last Next.
    const std::string& directory() const { return directory_; }

private:
    void initialise() override;
    void next() override;
    void own_command(int id, int notification) override;
    void propose_when_due();
    void browse();
    std::string typed_text() const;

    InstallFor& install_for_;
    std::string directory_;
    bool browse_open_ = false;
};
