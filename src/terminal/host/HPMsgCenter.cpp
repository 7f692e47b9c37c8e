#include "host/HPMsgCenter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace Terminal {

HPMsgCenter::HPMsgCenter() : m_subscribers(std::make_shared<SubscriberMap>()) {
    m_worker = std::thread([this] { Run(); });
}

HPMsgCenter::~HPMsgCenter() {
    {
        std::lock_guard lock(m_queueLock);
        m_stop = true;
    }
    m_wake.notify_all();
    m_worker.join();
}

bool HPMsgCenter::Subscribe(HandlerHandle handler, uint32_t number) {
    if (!handler) {
        return false;
    }
    std::shared_ptr<const SubscriberMap> previous;  // released after the lock
    std::lock_guard lock(m_subscriberLock);
    auto next = std::make_shared<SubscriberMap>(*m_subscribers);
    auto& handlers = (*next)[number];
    if (std::find(handlers.begin(), handlers.end(), handler) == handlers.end()) {
        handlers.push_back(handler);
    }
    previous = std::exchange(m_subscribers, std::move(next));
    return true;
}

bool HPMsgCenter::Unsubscribe(HandlerHandle handler, uint32_t number) {
    std::shared_ptr<const SubscriberMap> previous;
    std::lock_guard lock(m_subscriberLock);
    auto it = m_subscribers->find(number);
    if (it == m_subscribers->end() ||
        std::find(it->second.begin(), it->second.end(), handler) == it->second.end()) {
        return false;
    }
    auto next = std::make_shared<SubscriberMap>(*m_subscribers);
    auto& handlers = (*next)[number];
    handlers.erase(std::find(handlers.begin(), handlers.end(), handler));
    if (handlers.empty()) {
        next->erase(number);
    }
    previous = std::exchange(m_subscribers, std::move(next));
    return true;
}

std::shared_ptr<const HPMsgCenter::SubscriberMap> HPMsgCenter::Subscribers() const {
    std::lock_guard lock(m_subscriberLock);
    return m_subscribers;
}

void HPMsgCenter::Publish(uint32_t number, std::shared_ptr<const void> record, intptr_t extra) {
    Enqueue({number, std::move(record), extra, true, {}});
}

void HPMsgCenter::Deliver(uint32_t number, std::shared_ptr<const void> record,
                          std::vector<HandlerHandle> targets, intptr_t extra) {
    if (!targets.empty()) {
        Enqueue({number, std::move(record), extra, false, std::move(targets)});
    }
}

void HPMsgCenter::DeliverQuote(uint32_t number, std::shared_ptr<Kora::Interface::QuotePushRecord> record,
                               std::vector<HandlerHandle> targets) {
    if (!record || targets.empty()) {
        return;
    }
    record->enqueuedNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                             std::chrono::steady_clock::now().time_since_epoch())
                             .count();
    Deliver(number, std::shared_ptr<const void>(std::move(record)), std::move(targets));
}

void HPMsgCenter::Enqueue(Item item) {
    bool wake;
    {
        std::lock_guard lock(m_queueLock);
        wake = m_queue.empty();
        m_queue.push_back(std::move(item));
        ++m_enqueued;
    }
    if (wake) {
        m_wake.notify_one();
    }
}

uint64_t HPMsgCenter::DeliverItem(const Item& item) {
    const std::shared_ptr<const SubscriberMap> subscribers = Subscribers();
    auto it = subscribers->find(item.number);
    if (it == subscribers->end()) {
        return 0;
    }
    auto call = [&](const HandlerHandle& handler) {
        try {
            handler->OnHPMessage(item.number, item.record.get(), item.extra);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "krt-terminal: a handler of push %u failed: %s\n", item.number,
                         error.what());
        } catch (...) {
            std::fprintf(stderr, "krt-terminal: a handler of push %u failed\n", item.number);
        }
    };
    uint64_t calls = 0;
    if (item.broadcast) {
        for (const HandlerHandle& handler : it->second) {
            call(handler);
            ++calls;
        }
    } else {
        for (const HandlerHandle& target : item.targets) {
            if (std::find(it->second.begin(), it->second.end(), target) != it->second.end()) {
                call(target);
                ++calls;
            }
        }
    }
    return calls;
}

void HPMsgCenter::Run() {
    for (;;) {
        std::deque<Item> batch;
        {
            std::unique_lock lock(m_queueLock);
            m_wake.wait(lock, [this] { return m_stop || !m_queue.empty(); });
            if (m_stop) {
                return;
            }
            batch.swap(m_queue);
        }
        uint64_t calls = 0;
        for (const Item& item : batch) {
            calls += DeliverItem(item);
        }
        {
            std::lock_guard lock(m_queueLock);
            m_done += batch.size();
            m_delivered += calls;
        }
        batch.clear();
        m_idle.notify_all();
    }
}

void HPMsgCenter::WaitIdle() {
    if (std::this_thread::get_id() == m_worker.get_id()) {
        return;
    }
    std::unique_lock lock(m_queueLock);
    const uint64_t target = m_enqueued;
    m_idle.wait(lock, [&] { return m_stop || m_done >= target; });
}

uint64_t HPMsgCenter::DeliveredCount() const {
    std::lock_guard lock(m_queueLock);
    return m_delivered;
}

size_t HPMsgCenter::SubscriberCount(uint32_t number) const {
    auto subscribers = Subscribers();
    auto it = subscribers->find(number);
    return it == subscribers->end() ? 0 : it->second.size();
}

void HPMsgCenter::Clear() {
    std::shared_ptr<const SubscriberMap> previous;
    std::lock_guard lock(m_subscriberLock);
    previous = std::exchange(m_subscribers, std::make_shared<SubscriberMap>());
}

}  // namespace Terminal
