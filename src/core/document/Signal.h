#pragma once

// A notification that any number of views can hold. Connect returns a
// Connection that disconnects when it is destroyed; the signal and the
// connection may each go first.
//
// While a notification runs, subscribers may connect and disconnect:
//  - a subscriber connected during a notification is first called by the next one;
//  - a subscriber disconnected during a notification is not called from then
//    on, by this notification or any other, nested ones included;
//  - a notification raised by a subscriber runs at once, nested, and reaches
//    every subscriber connected at that moment, in the order they connected.
// The arguments are handed to each subscriber in turn: one that writes the
// model it views makes the later subscribers see a value that is no longer
// the newest, so views only read.
//
// A signal belongs to the object that holds it: copying or moving that object
// gives the new one a signal without subscribers, and assigning to it keeps
// the subscribers it has.

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace rollwerk {

namespace signal_detail {

struct Slot {
    virtual ~Slot() = default;
    bool connected = true;
};

template <typename... Args> struct TypedSlot final : Slot {
    explicit TypedSlot(std::function<void(Args...)> call) : call(std::move(call)) { }
    std::function<void(Args...)> call;
};

// The subscribers of one signal. Slots are held by pointer, so that one that
// runs stays where it is while another connects.
struct SlotList {
    std::vector<std::unique_ptr<Slot>> entries;
    int emitting = 0;          // notifications in progress
    bool disconnected = false; // entries wait for removal until none is in progress

    void Remove(Slot *slot)
    {
        slot->connected = false;
        disconnected = true;
        if (emitting == 0)
            Sweep();
    }

    void Sweep()
    {
        std::erase_if(entries, [](const std::unique_ptr<Slot> &slot) { return !slot->connected; });
        disconnected = false;
    }
};

} // namespace signal_detail

// Ends one subscription when destroyed. Move-only; a default-constructed or
// moved-from connection holds nothing.
class Connection {
public:
    Connection() = default;
    Connection(std::weak_ptr<signal_detail::SlotList> list, signal_detail::Slot *slot)
        : list_(std::move(list)), slot_(slot)
    { }
    Connection(Connection &&other) noexcept : list_(std::move(other.list_)), slot_(std::exchange(other.slot_, nullptr))
    { }
    Connection &operator=(Connection &&other) noexcept
    {
        if (this != &other) {
            Disconnect();
            list_ = std::move(other.list_);
            slot_ = std::exchange(other.slot_, nullptr);
        }
        return *this;
    }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;
    ~Connection() { Disconnect(); }

    void Disconnect() noexcept
    {
        if (slot_ == nullptr)
            return;
        // A list that is gone took its entries with it.
        if (const auto list = list_.lock())
            list->Remove(slot_);
        slot_ = nullptr;
        list_.reset();
    }

private:
    std::weak_ptr<signal_detail::SlotList> list_;
    signal_detail::Slot *slot_ = nullptr;
};

template <typename... Args> class Signal {
public:
    Signal() = default;
    Signal(const Signal &) noexcept { }
    Signal(Signal &&) noexcept { }
    // Keeps this signal's subscribers, so assigning a signal to itself changes nothing either.
    Signal &operator=(const Signal &) noexcept // NOLINT(bugprone-unhandled-self-assignment)
    {
        return *this;
    }
    Signal &operator=(Signal &&) noexcept { return *this; }
    ~Signal() = default;

    // The subscriber runs on every notification until the connection is destroyed.
    [[nodiscard]] Connection Connect(std::function<void(Args...)> subscriber)
    {
        if (!list_)
            list_ = std::make_shared<signal_detail::SlotList>();
        auto slot = std::make_unique<signal_detail::TypedSlot<Args...>>(std::move(subscriber));
        signal_detail::Slot *raw = slot.get();
        list_->entries.push_back(std::move(slot));
        return {list_, raw};
    }

    void Emit(const Args &...args) const
    {
        // Most models have one view or none: that case costs one test.
        if (!list_ || list_->entries.empty())
            return;
        // Held for the notification: a subscriber may destroy the signal's owner.
        const std::shared_ptr<signal_detail::SlotList> list = list_;
        ++list->emitting;
        struct Leave {
            signal_detail::SlotList &list;
            ~Leave()
            {
                if (--list.emitting == 0 && list.disconnected)
                    list.Sweep();
            }
        } leave{*list};
        // Those connected during the notification are past the count.
        const std::size_t count = list->entries.size();
        for (std::size_t i = 0; i < count; ++i) {
            auto *slot = static_cast<signal_detail::TypedSlot<Args...> *>(list->entries[i].get());
            if (slot->connected)
                slot->call(args...);
        }
    }

    // Lets a model skip making a notification's value that nobody would see.
    bool HasSubscribers() const { return list_ && !list_->entries.empty(); }

private:
    // Made at the first connection; connections hold it weakly.
    std::shared_ptr<signal_detail::SlotList> list_;
};

} // namespace rollwerk
