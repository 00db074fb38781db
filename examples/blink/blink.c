/*
 * KORVAN example firmware: blinks an LED on P1.2, greets on the UART once a second and
 * echoes every byte it receives. Written for an 8051 core at 11.0592 MHz, UART at 9600 baud
 * (timer 1 in auto-reload mode).
 *
 * The greeting is repeated because nobody may be listening when the chip starts: a terminal
 * opened some time after the download would never see a greeting sent only once.
 */
#include <8051.h>

#define LED P1_2

static void uart_init(void)
{
    SCON = 0x50;  /* mode 1: 8 data bits, receiver on */
    TMOD = (TMOD & 0x0F) | 0x20;
    TH1 = 0xFD;   /* 9600 baud at 11.0592 MHz */
    TL1 = 0xFD;
    TR1 = 1;
    TI = 1;       /* the first putchar need not wait */
}

static void uart_putc(char c)
{
    while (!TI)
        ;
    TI = 0;
    SBUF = c;
}

static void uart_puts(const char *s)
{
    while (*s)
        uart_putc(*s++);
}

/* Roughly 1 ms per step at 11.0592 MHz. */
static void delay_ms(unsigned int ms)
{
    unsigned int i;
    unsigned char j;
    for (i = 0; i < ms; i++)
        for (j = 0; j < 120; j++)
            ;
}

#define GREETING_PERIOD_MS 1000
/* Right after a download the host still has to reopen the line at 9600 baud; a greeting sent
 * at once would reach it cut off. */
#define FIRST_GREETING_MS 100

void main(void)
{
    unsigned int ticks = GREETING_PERIOD_MS - FIRST_GREETING_MS;

    uart_init();

    for (;;) {
        if (RI) {
            RI = 0;
            uart_putc(SBUF);
        }
        delay_ms(1);
        if (++ticks % 500 == 0)
            LED = !LED;
        if (ticks == GREETING_PERIOD_MS) {
            ticks = 0;
            uart_puts("Hello from KORVAN!\r\n");
        }
    }
}
