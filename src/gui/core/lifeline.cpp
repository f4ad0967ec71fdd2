#include "gui/core/lifeline.h"

#include <new>

// Shared by the lifeline and its watches; the last of them deletes it.
struct GuiLifelineFlag {
    bool alive = true;
    int holders = 1;
};

GuiLifeline::GuiLifeline() : flag(new (std::nothrow) GuiLifelineFlag) {}

GuiLifeline::~GuiLifeline() {
    end();
    if (flag && --flag->holders == 0) delete flag;
}

void GuiLifeline::end() {
    if (flag) flag->alive = false;
}

GuiLifeWatch GuiLifeline::watch() const { return GuiLifeWatch(flag); }

GuiLifeWatch::GuiLifeWatch(GuiLifelineFlag* shared) : flag(shared) {
    if (flag) ++flag->holders;
}

GuiLifeWatch::GuiLifeWatch(const GuiLifeWatch& other) : GuiLifeWatch(other.flag) {}

GuiLifeWatch& GuiLifeWatch::operator=(const GuiLifeWatch& other) {
    if (this == &other) return *this;
    drop();
    flag = other.flag;
    if (flag) ++flag->holders;
    return *this;
}

GuiLifeWatch::~GuiLifeWatch() { drop(); }

bool GuiLifeWatch::ended() const { return flag && !flag->alive; }

void GuiLifeWatch::drop() {
    if (flag && --flag->holders == 0) delete flag;
    flag = nullptr;
}
