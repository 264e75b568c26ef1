#include "automation/EventMessageQueue.h"

EventMessageQueueType EventMessageQueue;
