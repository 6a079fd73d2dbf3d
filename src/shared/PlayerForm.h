#pragma once

#include "app/PlenkApp.h"
#include "platform/ui/Form.h"

// Base of the player's windows: reaches the other windows and the engines.
class PlayerForm : public ui::Form {
  public:
    PlayerForm(ui::Application& app, QString name) : ui::Form(app, std::move(name)) {}

    PlenkApp& app() const { return static_cast<PlenkApp&>(application()); }
    // Another window of the player, loaded on first use.
    template <class T>
    T& form() const {
        return app().form<T>();
    }
};
