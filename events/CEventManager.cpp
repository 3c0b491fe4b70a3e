#include "events/CEventManager.h"

#include <algorithm>
#include <memory>

#include "events/IEvent.h"
#include "events/IEventListener.h"

CEventManager::CEventManager() {
    m_typeList.push_back(WildcardEventType);
}

CEventManager::~CEventManager() = default;

bool CEventManager::ValidateType(const EventType& type) const {
    if (type.GetKey() == 0) {
        return false;
    }
    if (type == WildcardEventType) {
        return true;
    }
    return std::find(m_typeList.begin(), m_typeList.end(), type) != m_typeList.end();
}

bool CEventManager::AddListener(IEventListener* listener, const EventType& type) {
    if (!listener || type.GetKey() == 0) {
        return false;
    }
    if (std::find(m_typeList.begin(), m_typeList.end(), type) == m_typeList.end()) {
        m_typeList.push_back(type);
    }
    ListenerList& list = m_listeners[type.GetKey()];
    if (std::find(list.begin(), list.end(), listener) != list.end()) {
        return false;
    }
    list.push_back(listener);
    return true;
}

bool CEventManager::DelListener(IEventListener* listener, const EventType& type) {
    if (!ValidateType(type)) {
        return false;
    }
    bool removed = false;
    for (auto& entry : m_listeners) {
        ListenerList& list = entry.second;
        auto found = std::find(list.begin(), list.end(), listener);
        if (found != list.end()) {
            list.erase(found);
            removed = true;
        }
    }
    return removed;
}

const CEventManager::ListenerList* CEventManager::FindListeners(uint32_t key) const {
    auto found = m_listeners.find(key);
    return found == m_listeners.end() ? nullptr : &found->second;
}

void CEventManager::Deliver(IEvent* event, const ListenerList* wildcard) {
    ++m_delivered;
    if (wildcard) {
        for (IEventListener* listener : *wildcard) {
            listener->HandleEvent(event);
        }
    }
    const ListenerList* own = FindListeners(event->GetEventType().GetKey());
    if (own) {
        for (IEventListener* listener : *own) {
            if (listener->HandleEvent(event)) {
                break;
            }
        }
    }
}

bool CEventManager::Trigger(IEvent* event) {
    if (!event || !ValidateType(event->GetEventType())) {
        return false;
    }
    Deliver(event, FindListeners(WildcardEventType.GetKey()));
    return true;
}

bool CEventManager::QueueEvent(IEvent* event) {
    if (!event || !ValidateType(event->GetEventType())) {
        return false;
    }
    if (!FindListeners(event->GetEventType().GetKey()) &&
        !FindListeners(WildcardEventType.GetKey())) {
        return false;
    }
    m_queue.push_back(event);
    return true;
}

bool CEventManager::AbortEvent(const EventType& type, const bool& allOfType) {
    if (!ValidateType(type) || !FindListeners(type.GetKey())) {
        return false;
    }
    bool removed = false;
    // Newest first: walk from the back, erasing through the reverse iterator's base.
    for (auto it = m_queue.rbegin(); it != m_queue.rend();) {
        if ((*it)->GetEventType() == type) {
            delete *it;
            it = std::list<IEvent*>::reverse_iterator(m_queue.erase(std::next(it).base()));
            removed = true;
            if (!allOfType) {
                break;
            }
        } else {
            ++it;
        }
    }
    return removed;
}

bool CEventManager::RemoveQueuedEvent(IEvent* event) {
    if (!event) {
        return false;
    }
    auto found = std::find(m_queue.begin(), m_queue.end(), event);
    if (found == m_queue.end()) {
        return false;
    }
    delete *found;
    m_queue.erase(found);
    return true;
}

bool CEventManager::Tick() {
    const ListenerList* wildcard = FindListeners(WildcardEventType.GetKey());
    while (!m_queue.empty()) {
        // Owned here from the moment it leaves the queue, so a listener that throws does not
        // leak it.
        std::unique_ptr<IEvent> event(m_queue.front());
        m_queue.pop_front();
        Deliver(event.get(), wildcard);
    }
    return true;
}

bool CEventManager::Shutdown() {
    for (IEvent* event : m_queue) {
        delete event;
    }
    m_queue.clear();
    return true;
}
