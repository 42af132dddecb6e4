#pragma once

#include <QMetaType>

#include <optional>

// Wrenpost's channels. A value is the protocol's index as the settings store
// it and as the protocol buttons are numbered, so it must never change.
enum class Channel { TcpClient = 0, TcpServer = 1, Udp = 2, Serial = 3 };

// Closed, then Opening once asked to open, then Open once the channel can
// carry data (a TCP client when its connection stands; the others at once),
// and Closed again when closed or ended.
enum class ChannelState { Closed, Opening, Open };

inline constexpr Channel kChannels[] = {Channel::TcpClient, Channel::TcpServer, Channel::Udp, Channel::Serial};

constexpr int channelIndex(Channel channel)
{
    return static_cast<int>(channel);
}

// The channel a stored protocol index stands for, or nothing.
inline std::optional<Channel> channelFromIndex(int index)
{
    for (Channel channel : kChannels) {
        if (channelIndex(channel) == index)
            return channel;
    }
    return std::nullopt;
}

// The network page shows one of these at a time, and at most one is open.
constexpr bool isNetworkChannel(Channel channel)
{
    return channel != Channel::Serial;
}

Q_DECLARE_METATYPE(Channel)
Q_DECLARE_METATYPE(ChannelState)
