/* A task of a ZOR board. New Project fills in the program number and, for
   interrupt tasks, the task's kind and interrupt. */
#include <string.h>
#include <zor.h>

#define PROGRAMM_NUMBER 0x1

static ZORPDT rcPDT;

static void Work(void)
{
	/* the task's work */
}

void main(void)
{
	memset(&rcPDT, 0, sizeof rcPDT);
	rcPDT.rcHead.usNumber = PROGRAMM_NUMBER;
	rcPDT.rcHead.usFlags = ZOR_TASK + ZORPDT_PARAMETER_IN_PROG;
	rcPDT.rcHead.usInterrupt = 0;
	if (zor_register_task(&rcPDT) != 0)
		return;

	for (;;) {
		zor_wait_for_start();
		Work();
	}
}
