// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stand-ins for the machine: a registry held in memory, a file system and a
// search path given as sets, a program starter that records, and a message
// sink that records and answers without showing anything.

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "message_sink.h"
#include "registry.h"
#include "sysinfo.h"

namespace vandrel::ui::testing {

struct FakeValue {
    std::uint32_t type = reg_sz;
    QByteArray data;
};

/// A registry under HKEY_LOCAL_MACHINE (0x80000002) only, with the calls'
/// rules: a value larger than the caller's buffer gives reg_more_data and is
/// not copied. Keys are opened for reading only (KEY_READ, 0x20019).
class FakeRegistry final : public Registry {
public:
    void set(const std::string& key, const std::string& name, FakeValue value) { keys_[key][name] = std::move(value); }
    void add_key(const std::string& key) { keys_[key]; }

    long open_key(RegRoot root, const std::string& key_name, std::uint32_t options, std::uint32_t access,
                  RegKey& key) override {
        opened_names.push_back(key_name);
        bad_open_arguments |= root != 0x80000002u || options != 0 || access != 0x20019u;
        if (root != 0x80000002u || keys_.find(key_name) == keys_.end())
            return reg_file_not_found;
        key = next_++;
        open_[key] = key_name;
        return reg_success;
    }

    long query_value(RegKey key, const std::string& value_name, std::uint32_t& type, std::uint8_t* data,
                     std::uint32_t& data_size) override {
        const auto open = open_.find(key);
        if (open == open_.end())
            return 6;  // invalid handle
        const auto& values = keys_[open->second];
        const auto value = values.find(value_name);
        if (value == values.end())
            return reg_file_not_found;
        type = value->second.type;
        const auto size = static_cast<std::uint32_t>(value->second.data.size());
        if (size > data_size) {
            data_size = size;
            return reg_more_data;
        }
        if (size > 0)
            std::memcpy(data, value->second.data.constData(), size);
        data_size = size;
        return reg_success;
    }

    long close_key(RegKey key) override { return open_.erase(key) == 1 ? reg_success : 6; }

    std::size_t keys_open() const { return open_.size(); }
    bool was_opened(const std::string& key_name) const {
        return std::find(opened_names.begin(), opened_names.end(), key_name) != opened_names.end();
    }

    std::vector<std::string> opened_names;
    bool bad_open_arguments = false;

private:
    std::map<std::string, std::map<std::string, FakeValue>> keys_;
    std::map<RegKey, std::string> open_;
    RegKey next_ = 0x100;
};

class FakeSystem final : public SystemAccess {
public:
    Registry& registry() override { return fake_registry; }
    bool is_ordinary_file(const QString& path) override { return files.contains(path); }
    QString find_program(const QString& program) override {
        return on_path.contains(program) ? QStringLiteral("/usr/bin/") + program : QString();
    }
    bool start_detached(const QString& program) override {
        started.push_back(program);
        return !unstartable.contains(program);
    }

    FakeRegistry fake_registry;
    QSet<QString> files;
    QSet<QString> on_path;
    QSet<QString> unstartable;
    QStringList started;
};

class RecordingSink final : public MessageSink {
public:
    void message(QWidget* parent, const QString& text) override { messages.push_back({parent, text}); }
    bool ask_yes_no(QWidget* parent, const QString& title, const QString& prompt) override {
        questions.push_back({parent, title + QLatin1Char('|') + prompt});
        return answer;
    }

    bool answer = true;
    std::vector<std::pair<QWidget*, QString>> messages;
    std::vector<std::pair<QWidget*, QString>> questions;
};

/// Installs a sink for the life of the guard.
class SinkGuard {
public:
    explicit SinkGuard(MessageSink& sink) { set_message_sink(&sink); }
    ~SinkGuard() { set_message_sink(nullptr); }
    SinkGuard(const SinkGuard&) = delete;
    SinkGuard& operator=(const SinkGuard&) = delete;
};

/// Installs a system access for the life of the guard.
class SystemGuard {
public:
    explicit SystemGuard(SystemAccess& system) { set_system_access(&system); }
    ~SystemGuard() { set_system_access(nullptr); }
    SystemGuard(const SystemGuard&) = delete;
    SystemGuard& operator=(const SystemGuard&) = delete;
};

}  // namespace vandrel::ui::testing
