# An ATmega328P with avr-gcc and avr-libc.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR avr)
set(CMAKE_C_COMPILER avr-gcc)
set(CMAKE_CXX_COMPILER avr-g++)
set(CMAKE_C_FLAGS_INIT "-mmcu=atmega328p")
set(CMAKE_CXX_FLAGS_INIT "-mmcu=atmega328p")
