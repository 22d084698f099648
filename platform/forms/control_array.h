#pragma once
// Control arrays: sparse, indexed sets of controls of one kind and one name,
// whose handlers receive the element's Index.
//
//     ControlArray<Image> cant{this, "cant"};
//     ...in the design: Image& t = cant.Add(100); t.Move(0, 0, 39, 40); t.SetVisible(false);
//     ...bind once:     cant.Bind(&Image::OnDragDrop,
//                           [this](int Index, Control& Source, float X, float Y) { cant_DragDrop(Index, Source, X, Y); });
//     ...at run time:   cant.Load(7); cant(7).SetVisible(true); cant.Unload(7);
//
// Load(i) copies the template element (the first element added at design
// time) except Visible (the new element starts hidden), Index and TabIndex;
// the array's bound handlers apply to it. Loading an element that exists, or
// touching or unloading one that does not, is a programming error and throws
// std::logic_error.

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/forms/control.h"

namespace platform::forms {

template <class T>
class ControlArray {
    static_assert(std::is_base_of_v<Control, T>, "ControlArray holds controls");

public:
    ControlArray(Container* parent, std::string name) : parent_(parent), name_(std::move(name)) {}
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    // Design time: creates element i (visible, default properties).
    T& Add(int index) {
        if (items_.count(index))
            throw std::logic_error("elemento " + std::to_string(index) + " de " + name_ + " já existe");
        auto c = std::make_unique<T>(parent_, name_, index);
        T& ref = *c;
        items_.emplace(index, std::move(c));
        if (templateIndex_ < 0) templateIndex_ = index;
        for (auto& b : binders_) b(ref);
        return ref;
    }

    // Run time: creates element i as a copy of the template, hidden.
    T& Load(int index) {
        if (items_.count(index))
            throw std::logic_error("elemento " + std::to_string(index) + " de " + name_ + " já carregado");
        if (templateIndex_ < 0 || !items_.count(templateIndex_))
            throw std::logic_error("matriz de controles " + name_ + " sem elemento modelo");
        const T& tpl = *items_.at(templateIndex_);
        auto c = std::make_unique<T>(parent_, name_, index);
        c->CopyDesignFrom(tpl);
        c->SetVisible(false);
        T& ref = *c;
        items_.emplace(index, std::move(c));
        for (auto& b : binders_) b(ref);
        return ref;
    }

    // Run time: destroys element i (not the template).
    void Unload(int index) {
        auto it = items_.find(index);
        if (it == items_.end())
            throw std::logic_error("elemento " + std::to_string(index) + " de " + name_ + " não existe");
        if (index == templateIndex_)
            throw std::logic_error("o elemento modelo de " + name_ + " não pode ser descarregado");
        std::unique_ptr<Control> dead = std::move(it->second);
        items_.erase(it);
        RetireControl(std::move(dead));
    }

    T& operator()(int index) { return at(index); }
    const T& operator()(int index) const { return at(index); }
    T& at(int index) {
        auto it = items_.find(index);
        if (it == items_.end())
            throw std::logic_error("elemento " + std::to_string(index) + " de " + name_ + " não existe");
        return *it->second;
    }
    const T& at(int index) const { return const_cast<ControlArray*>(this)->at(index); }

    bool Exists(int index) const { return items_.count(index) != 0; }
    int Count() const { return static_cast<int>(items_.size()); }
    int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
    std::vector<int> Indices() const {
        std::vector<int> v;
        for (auto& [i, c] : items_) v.push_back(i);
        return v;
    }
    const std::string& Name() const { return name_; }

    // Binds one event of every element, now and for elements loaded later, to
    // a handler that receives the element's Index first:
    //   Bind(&CommandButton::OnClick, [this](int Index) { ... });
    template <class C, class... Args, class F>
    void Bind(std::function<void(Args...)> C::*event, F handler) {
        static_assert(std::is_base_of_v<C, T>, "event of another kind of control");
        auto binder = [event, handler](T& c) {
            const int idx = c.Index();
            static_cast<C&>(c).*event = [handler, idx](Args... a) { handler(idx, std::forward<Args>(a)...); };
        };
        for (auto& [i, c] : items_) binder(*c);
        binders_.push_back(std::move(binder));
    }

    // Destroys every element (the form's unload does this by destroying the array).
    void UnloadAllForTests() { items_.clear(); templateIndex_ = -1; }

private:
    Container* parent_;
    std::string name_;
    std::map<int, std::unique_ptr<T>> items_;
    std::vector<std::function<void(T&)>> binders_;
    int templateIndex_ = -1;
};

}  // namespace platform::forms
